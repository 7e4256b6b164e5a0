// Slide bytes the benchmarks build in memory.
#pragma once

#include <cstdint>
#include <vector>

namespace benchslides {

// Appends w as two little-endian bytes.
void put16(std::vector<std::uint8_t>& bytes, unsigned w);
// A slide library of n copies of one slide, named S00000, S00001 …, built
// directly: n appends would each rewrite the library.
std::vector<std::uint8_t> library(int n, const std::vector<std::uint8_t>& one);

} // namespace benchslides
