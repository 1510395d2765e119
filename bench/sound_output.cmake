# Sound output on the real sound path: our player with Allegro's ALSA driver
# and with the program's own, beside mpg123, ogg123 and openmpt123 on one
# private null sink (run by hand under an X server; takes about 7 minutes).
add_executable(bench_sound_player ${CMAKE_CURRENT_LIST_DIR}/sound_bench_player.cpp)
target_link_libraries(bench_sound_player PRIVATE kstr_player)
add_executable(bench_sound_output ${CMAKE_CURRENT_LIST_DIR}/sound_output_bench.cpp)
target_link_libraries(bench_sound_output PRIVATE kstr_testsupport)
add_dependencies(bench_sound_output bench_sound_player)
target_compile_definitions(bench_sound_output PRIVATE
  KSTR_BENCH_MAKER="${CMAKE_CURRENT_LIST_DIR}/make_sound_bench_files.sh"
  KSTR_BENCH_DATA="${CMAKE_BINARY_DIR}/benchdata/sound"
  KSTR_BENCH_PLAYER="$<TARGET_FILE:bench_sound_player>")
