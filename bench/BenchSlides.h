// SPDX-License-Identifier: MIT
// Slide bytes the benchmarks build in memory.
#pragma once

#include <cstdint>
#include <vector>

namespace benchslides {

// Appends w as two little-endian bytes.
void put16(std::vector<std::uint8_t>& bytes, unsigned w);
// The header of a version 2 slide of width × height, byte order marked.
std::vector<std::uint8_t> header(unsigned width, unsigned height);
// A slide of n vectors spread over width × height, different for each seed.
std::vector<std::uint8_t> vectors(unsigned width, unsigned height, int n, int seed = 0);
// A slide library of n copies of one slide, named S00000, S00001 …, built
// directly: n appends would each rewrite the library.
std::vector<std::uint8_t> library(int n, const std::vector<std::uint8_t>& one);

} // namespace benchslides
