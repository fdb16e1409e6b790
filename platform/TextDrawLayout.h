#pragma once
// The lines of a text as the system's text drawing lays them out: characters after
// prefix processing, broken at line feeds (carriage returns dropped) unless the text is
// one line, each line measured with the font's advances.

#include <cstdint>
#include <vector>

class FontFace;

struct TextDrawLine {
  int begin;  // index of the first character in TextDrawLayout::codes
  int end;    // one past the last
  int width;  // sum of the advances, pixels
};

struct TextDrawLayout {
  std::vector<uint32_t> codes;
  std::vector<bool> underlined;  // per character: it followed a single '&'
  std::vector<TextDrawLine> lines;
  int width = 0;   // widest line
  int height = 0;  // lines × cell height
};

struct TextDrawOptions {
  bool singleLine;
  bool prefixes;  // '&' underlines the next character and "&&" stands for '&'
};

// Reads up to count units (count < 0: up to the terminating zero; a zero unit always
// ends the text). UTF-16 surrogate pairs join; unpaired halves stay as they are.
std::vector<uint32_t> DecodeUtf16Units(const char16_t* text, int count);
// Single bytes, read as Latin-1.
std::vector<uint32_t> DecodeLatin1Bytes(const char* text, int count);

TextDrawLayout LayOutText(std::vector<uint32_t> codes, const TextDrawOptions& options,
                          FontFace& font);
