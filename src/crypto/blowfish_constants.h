// The published initial values of the key schedule (fractional hex digits of
// pi): P[0..17] followed by S0, S1, S2 and S3 of 256 words each.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kBlowfishInitWords = 18 + 4 * 256;
extern const uint32_t kBlowfishInit[kBlowfishInitWords];
