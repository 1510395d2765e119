# The catalogue sources are compiled into the target itself so that libFuzzer
# sees coverage of the code under test.
kstr_fuzz(tr_load
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tr_load.cpp
          ${PROJECT_SOURCE_DIR}/app/catalogue.cpp
          ${PROJECT_SOURCE_DIR}/app/catalogue_format.cpp
          ${PROJECT_SOURCE_DIR}/app/catalogue_items.cpp
  LIBS kstr::allegro)
if(TARGET fuzz_tr_load)
  target_include_directories(fuzz_tr_load PRIVATE ${PROJECT_SOURCE_DIR})
endif()
if(TARGET replay_tr_load)
  target_include_directories(replay_tr_load PRIVATE ${PROJECT_SOURCE_DIR})
endif()
