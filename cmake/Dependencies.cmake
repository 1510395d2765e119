# Imported targets for the system libraries, each as kstr::<name>.
# Their headers are marked SYSTEM so their warnings do not count against ours.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

pkg_check_modules(ALLEGRO REQUIRED IMPORTED_TARGET allegro)
pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile vorbis ogg)
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(CDIO REQUIRED IMPORTED_TARGET libcdio)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)
# Allegro draws through X; the toolkit talks to that connection too.
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)

find_library(DUMB_LIBRARY NAMES dumb REQUIRED)
find_path(DUMB_INCLUDE_DIR dumb.h REQUIRED)
add_library(kstr_dumb INTERFACE)
target_link_libraries(kstr_dumb INTERFACE ${DUMB_LIBRARY} m)
target_include_directories(kstr_dumb SYSTEM INTERFACE ${DUMB_INCLUDE_DIR})
add_library(kstr::dumb ALIAS kstr_dumb)

add_library(kstr_allegro INTERFACE)
target_link_libraries(kstr_allegro INTERFACE PkgConfig::ALLEGRO PkgConfig::X11 Threads::Threads m)
add_library(kstr::allegro ALIAS kstr_allegro)

add_library(kstr_vorbis INTERFACE)
target_link_libraries(kstr_vorbis INTERFACE PkgConfig::VORBISFILE)
add_library(kstr::vorbis ALIAS kstr_vorbis)

add_library(kstr_mpg123 INTERFACE)
target_link_libraries(kstr_mpg123 INTERFACE PkgConfig::MPG123)
add_library(kstr::mpg123 ALIAS kstr_mpg123)

add_library(kstr_cdio INTERFACE)
target_link_libraries(kstr_cdio INTERFACE PkgConfig::CDIO)
add_library(kstr::cdio ALIAS kstr_cdio)
add_library(kstr_alsa INTERFACE)
target_link_libraries(kstr_alsa INTERFACE PkgConfig::ALSA)
add_library(kstr::alsa ALIAS kstr_alsa)

if(KSTR_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  find_package(benchmark QUIET)
endif()
