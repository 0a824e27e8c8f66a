qp_fuzz_target(database_open ${CMAKE_CURRENT_SOURCE_DIR}/database_open_fuzz.cpp qp_storage)
