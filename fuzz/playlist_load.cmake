kstr_fuzz(playlist_load SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/playlist_load.cpp LIBS kstr_playlist)
