qp_fuzz_target(bmp ${CMAKE_CURRENT_SOURCE_DIR}/bmp_fuzz.cpp qp_platform_gdi)
