# The main window with a 100,000-song playlist, and start-up to the first
# frame (run by hand under an X server, from anywhere).
add_executable(bench_main_window ${CMAKE_CURRENT_LIST_DIR}/main_window_bench.cpp)
target_link_libraries(bench_main_window PRIVATE kstr_app)
target_compile_definitions(bench_main_window PRIVATE KSTR_RUN_DIR_BUILT="${KSTR_RUN_DIR}")
