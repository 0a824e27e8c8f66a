qp_fuzz_target(cipher ${CMAKE_CURRENT_SOURCE_DIR}/cipher_fuzz.cpp qp_crypto)
