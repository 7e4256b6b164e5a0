// SPDX-License-Identifier: MIT
// The cipher of enciphered INI values: RC2 in CBC mode with a zero IV under
// the MD5 of the password, PKCS#5 padding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kivcrypt {

std::string encrypt(std::string_view password, std::string_view plain);
// Tries the key set-up of current providers, then the two of older ones
// (40-bit keys); nothing when none gives valid padding.
std::optional<std::string> decrypt(std::string_view password, std::string_view cipher);

// How cipher bytes are stored in an INI value: raw when a value can hold
// them, else "~" and hex. Raw ciphers have a length that is a multiple of
// 8, encoded ones an odd length, so the two never mix up.
std::string encodeValue(const std::string& cipher);
std::string decodeValue(const std::string& stored);

} // namespace kivcrypt
