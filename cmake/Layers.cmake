# Include folders that follow the layering.
#
# A library target never offers the project root as its include folder: it
# offers build/include/<target>/, which holds only a link named after its own
# source folder (or links to the headers it owns, where two targets share a
# folder). Its own sources and every target linking it get that folder, so
# `#include "player/engine.h"` compiles only in targets that link kstr_player,
# and a wrong-way include fails the build. scripts/check_includes.sh compares
# the includes themselves with the table in the README.

set(KSTR_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)

# kstr_expose(<target> <folder> [<header globs in folder>...])
# Gives <target> the include folder build/include/<target>/ in place of the
# project root. With globs, only the matching headers of <folder> are linked.
function(kstr_expose target folder)
  if(NOT TARGET ${target})
    return()
  endif()
  set(dir ${KSTR_INCLUDE_ROOT}/${target})
  file(REMOVE_RECURSE ${dir})
  if(ARGN)
    file(MAKE_DIRECTORY ${dir}/${folder})
    list(TRANSFORM ARGN PREPEND ${PROJECT_SOURCE_DIR}/${folder}/ OUTPUT_VARIABLE patterns)
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/${folder} ${patterns})
    foreach(header ${headers})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder}/${header} ${dir}/${folder}/${header} SYMBOLIC)
    endforeach()
  else()
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${dir}/${folder} SYMBOLIC)
  endif()
  foreach(property INCLUDE_DIRECTORIES INTERFACE_INCLUDE_DIRECTORIES)
    get_target_property(dirs ${target} ${property})
    if(NOT dirs)
      set(dirs)
    endif()
    # The project root, however it was spelt, goes.
    set(kept)
    foreach(entry ${dirs})
      cmake_path(ABSOLUTE_PATH entry BASE_DIRECTORY ${PROJECT_SOURCE_DIR} NORMALIZE OUTPUT_VARIABLE normal)
      string(REGEX REPLACE "/$" "" normal "${normal}")
      if(NOT normal STREQUAL PROJECT_SOURCE_DIR)
        list(APPEND kept ${entry})
      endif()
    endforeach()
    set_property(TARGET ${target} PROPERTY ${property} ${dir} ${kept})
  endforeach()
endfunction()

# Called once every library folder has been added.
function(kstr_expose_libraries)
  kstr_expose(kstr_playlist playlist)
  kstr_expose(kstr_streams streams)
  kstr_expose(kstr_cdaudio cdaudio)
  kstr_expose(kstr_appcore app catalogue*.h config*.h languages*.h)
  kstr_expose(kstr_sound_output player sound_output*.h mixer_digi_driver.h)
  kstr_expose(kstr_player player)
  kstr_expose(kstr_ui ui)
  kstr_expose(kstr_app app)
endfunction()
