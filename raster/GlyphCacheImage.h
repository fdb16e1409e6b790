#pragma once
// The steps that turn a rendered character on the scratch surface into a stored glyph
// image of one byte per pixel: copying the coverage and trimming unused columns, turning
// it a quarter, and the monochrome, shadow and outline effects.

#include <cstdint>

#include "raster/Bitmap.h"

// Copies the red channel of the width × height region at the scratch's origin into out
// (255 - red when inverted) and returns the used width: advance, raised to one past the
// last column at or beyond it whose red byte is non-zero.
int CopyGlyphCoverage(const PIX_IBitmap& scratch, int width, int height, int advance,
                      bool invert, uint8_t* out);
// Packs rows of width bytes to usedWidth bytes each, in place.
void TrimGlyphRows(uint8_t* image, int width, int height, int usedWidth);
// Turns a width × height image a quarter, clockwise or counter-clockwise (upward); the
// result is height wide and width high. False when no temporary copy could be had.
bool TurnGlyphImage(uint8_t* image, int width, int height, bool upward);
// Monochrome: bytes above 130 become 255, the rest 0. Shadow and outline threshold the
// same way and then mark 0 bytes next to ink with 128 (shadow: ink left, upper-left or
// above; outline: ink above, below, left or right). Options are the font options.
void ApplyGlyphEffects(uint8_t* image, int width, int height, int options);
