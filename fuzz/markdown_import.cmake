qp_fuzz_target(markdown_import ${CMAKE_CURRENT_SOURCE_DIR}/markdown_import_fuzz.cpp qp_exchange)
