# -Wshadow and -Wconversion join -Wall -Wextra, as errors like the others.
add_compile_options(-Wshadow -Wconversion)
# Clang's -Wconversion also covers sign changes, GCC's does not for C++; the
# code is held to GCC's set under either compiler (the fuzz build uses clang).
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(-Wno-sign-conversion)
endif()
