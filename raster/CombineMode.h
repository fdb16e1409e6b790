#pragma once
// Combine modes of PIX_Composite and PIX_FillArea. The low byte selects the kind; bits
// other than the low byte and PIX_COMBINE_SOURCE_ALPHA are ignored. Kinds 6-0xEF draw
// nothing.

enum : int {
  PIX_COMBINE_COPY = 0,
  PIX_COMBINE_ADD = 1,
  PIX_COMBINE_DODGE = 2,
  PIX_COMBINE_MULTIPLY = 3,
  PIX_COMBINE_OVERLAY = 4,
  PIX_COMBINE_HSV = 5,
  // Low byte 0xF0-0xFF copies one channel: bits 0-1 name the source channel, bits 2-3
  // the destination channel (0 blue, 1 green, 2 red, 3 alpha).
  PIX_COMBINE_CHANNEL_COPY = 0xF0,
  PIX_COMBINE_KIND_MASK = 0xFF,
  // Weight each source pixel by its own alpha.
  PIX_COMBINE_SOURCE_ALPHA = 0x10000,
};
