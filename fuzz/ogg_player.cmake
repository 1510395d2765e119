kstr_fuzz(ogg_player SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ogg_player_fuzz.cpp LIBS kstr_streams)
