#include "core/TextBuffer.h"

#include <cstddef>
#include <cstring>

namespace {
int LimitedLength(const char* text, int limit) {
  if (limit >= 1) return static_cast<int>(strnlen(text, static_cast<size_t>(limit)));
  return static_cast<int>(std::strlen(text));
}
}  // namespace

int ITextBuffer::Length() const {
  return buffer_.ByteCount() == 0 ? 0 : static_cast<int>(std::strlen(Text()));
}

const char* ITextBuffer::Text() const {
  const uint8_t* bytes = buffer_.Bytes();
  return bytes != nullptr ? reinterpret_cast<const char*>(bytes) : "";
}

void ITextBuffer::WriteAt(int index, const char* bytes, int n) {
  if (n < 0 || index < 0) return;
  const int needed = index + n + 1;
  // The source may live in our own block; remember where so a move can follow it.
  const uint8_t* oldBlock = buffer_.Bytes();
  const bool inside = oldBlock != nullptr && bytes >= reinterpret_cast<const char*>(oldBlock) &&
                      bytes < reinterpret_cast<const char*>(oldBlock) + buffer_.ByteCount();
  const ptrdiff_t offset = inside ? bytes - reinterpret_cast<const char*>(oldBlock) : 0;
  if (buffer_.ByteCount() < needed) {
    buffer_.SetByteSize(needed, false);
    if (buffer_.ByteCount() < needed) return;
  }
  char* data = reinterpret_cast<char*>(buffer_.Bytes());
  const char* source = inside ? data + offset : bytes;
  if (n > 0) std::memmove(data + index, source, static_cast<size_t>(n));
  data[index + n] = '\0';
  if (buffer_.ByteCount() > needed) buffer_.SetByteSize(needed, false);
}

void ITextBuffer::Set(const char* text, int limit) {
  if (text == nullptr) {
    WriteAt(0, "", 0);
    return;
  }
  WriteAt(0, text, LimitedLength(text, limit));
}

void ITextBuffer::AppendLimited(const char* text, int limit) {
  if (text == nullptr) return;
  WriteAt(Length(), text, LimitedLength(text, limit));
}
