#pragma once
// UTF-8 to UTF-16 conversion that refuses invalid input: a stray continuation byte, a
// truncated or overlong sequence, an encoded surrogate or a value above U+10FFFF makes
// the whole conversion fail.

// Converts count bytes (count < 0: up to and including the terminating zero). With a null
// output, returns the number of UTF-16 units needed; otherwise writes at most capacity
// units and returns how many were written. 0 on invalid input or too small an output.
int Utf8ToUtf16(const char* text, int count, char16_t* out, int capacity);
