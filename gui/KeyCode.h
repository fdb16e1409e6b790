#pragma once
// The keys the editor's controls can handle.

#include <cstdint>

enum IKeyCode : int32_t {
  KEY_SPACE = 0,
  KEY_UP = 1,
  KEY_DOWN = 2,
  KEY_LEFT = 3,
  KEY_RIGHT = 4,
  KEY_DIGIT0 = 5, KEY_DIGIT1, KEY_DIGIT2, KEY_DIGIT3, KEY_DIGIT4,
  KEY_DIGIT5, KEY_DIGIT6, KEY_DIGIT7, KEY_DIGIT8, KEY_DIGIT9,
  KEY_A = 15, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L,
  KEY_M, KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X,
  KEY_Y, KEY_Z,
};
