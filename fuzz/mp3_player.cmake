# The MP3 sources are compiled into the target itself so that libFuzzer sees
# coverage of the code under test.
file(GLOB kstr_fuzz_mp3_sources ${PROJECT_SOURCE_DIR}/streams/mp3_*.cpp ${PROJECT_SOURCE_DIR}/streams/mpeg_header.cpp)
kstr_fuzz(mp3_player
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/mp3_player.cpp ${kstr_fuzz_mp3_sources}
  LIBS kstr::allegro kstr::mpg123)
foreach(target fuzz_mp3_player replay_mp3_player)
  if(TARGET ${target})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  endif()
endforeach()
