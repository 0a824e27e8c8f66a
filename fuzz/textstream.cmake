qp_fuzz_target(textstream ${CMAKE_CURRENT_SOURCE_DIR}/textstream_fuzz.cpp qp_platform_system)
