#pragma once
// Copying into the fixed-size text fields of records.

#include <cstring>

// Copies text into a field of size bytes, cutting it to size - 1 characters; null gives "".
inline void CopyField(char* field, int size, const char* text) {
  if (size <= 0) return;
  if (text == nullptr) text = "";
  const size_t length = strnlen(text, static_cast<size_t>(size - 1));
  std::memcpy(field, text, length);
  field[length] = '\0';
}
