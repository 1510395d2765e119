# -Wshadow and -Wconversion join -Wall -Wextra. The folders still being written
# on other branches get them as warnings only, until their code is clean:
# kstr_warnings_not_yet_errors(<source folder>...) relaxes the targets
# defined there.
add_compile_options(-Wshadow -Wconversion)
# Clang's -Wconversion also covers sign changes, GCC's does not for C++; the
# code is held to GCC's set under either compiler (the fuzz build uses clang).
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(-Wno-sign-conversion)
endif()

function(kstr_warnings_not_yet_errors)
  foreach(dir ${ARGN})
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      continue()
    endif()
    get_property(targets DIRECTORY ${PROJECT_SOURCE_DIR}/${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(NOT type STREQUAL "INTERFACE_LIBRARY" AND NOT type STREQUAL "UTILITY")
        target_compile_options(${target} PRIVATE -Wno-error=shadow -Wno-error=conversion)
      endif()
    endforeach()
  endforeach()
endfunction()
