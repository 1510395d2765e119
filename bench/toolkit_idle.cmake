# Idle CPU cost of the toolkit's event loop (run by hand under an X server).
add_executable(bench_toolkit_idle ${CMAKE_CURRENT_LIST_DIR}/toolkit_idle.cpp)
target_link_libraries(bench_toolkit_idle PRIVATE kstr_toolkit)
