#pragma once
// The lenient UTF-8 reading of the glyph path: well-formed two- and three-byte sequences
// give their 16-bit code, four-byte sequences stand for a space, and any other byte is
// read as its own value.

#include <cstdint>

// Decodes the character at text into code and returns the bytes used (1-4). Reads no byte
// after a zero byte.
int DecodeUtf8Char(const uint8_t* text, uint16_t* code);
// The same, reading at most available bytes (available >= 1).
int DecodeUtf8CharIn(const uint8_t* text, int available, uint16_t* code);
// True when the zero-terminated text holds a lead byte 0xC2-0xDF followed by one
// continuation byte or a lead 0xE0-0xF4 followed by two; false for null.
bool HasUtf8Sequence(const char* text);
// The same over at most limit bytes (limit < 0: up to the terminating zero).
bool HasUtf8SequenceIn(const char* text, int limit);
