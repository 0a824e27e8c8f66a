qp_fuzz_target(opml_import ${CMAKE_CURRENT_SOURCE_DIR}/opml_import_fuzz.cpp qp_exchange)
