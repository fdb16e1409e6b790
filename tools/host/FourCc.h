#pragma once
// VST identifiers are four characters packed into a 32-bit integer, first character in
// the top byte.

#include <cstdint>
#include <string>

constexpr int32_t FourCc(char a, char b, char c, char d) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
                              (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
                              (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) |
                              static_cast<uint32_t>(static_cast<uint8_t>(d)));
}

// "'jhxM' (0x6A68784D)"; the quoted characters are left out when any is not printable.
std::string FourCcText(int32_t id);
