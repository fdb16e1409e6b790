#pragma once
// A rectangle in pixels: right and bottom are exclusive; empty when all four are zero.

#include <cstdint>

struct IRectangle {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
