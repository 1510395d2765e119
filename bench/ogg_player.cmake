# Ogg player decoding speed against bare vorbisfile; needs the test X server
# for the capture sound driver the poll path plays into.
add_executable(bench_ogg_player ${CMAKE_CURRENT_LIST_DIR}/ogg_player_bench.cpp)
target_link_libraries(bench_ogg_player PRIVATE kstr_streams kstr_testsupport)
target_compile_definitions(bench_ogg_player PRIVATE
  KSTR_BENCH_MAKER="${CMAKE_CURRENT_LIST_DIR}/make_ogg_bench_file.sh"
  KSTR_BENCH_DATA="${CMAKE_BINARY_DIR}/benchdata/ogg")
