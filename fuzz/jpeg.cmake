qp_fuzz_target(jpeg ${CMAKE_CURRENT_SOURCE_DIR}/jpeg_fuzz.cpp qp_program)
