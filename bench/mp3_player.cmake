# MP3 player decoding speed against bare libmpg123; needs the test X server
# for the capture sound driver the poll path plays into.
if(TARGET benchmark::benchmark)
  add_executable(bench_mp3_player ${CMAKE_CURRENT_LIST_DIR}/mp3_player_bench.cpp)
  target_link_libraries(bench_mp3_player PRIVATE kstr_streams kstr_testsupport benchmark::benchmark)
  target_compile_definitions(bench_mp3_player PRIVATE
    KSTR_BENCH_MAKER="${CMAKE_CURRENT_LIST_DIR}/make_mp3_bench_files.sh"
    KSTR_BENCH_DATA="${CMAKE_BINARY_DIR}/benchdata/mp3")
endif()
