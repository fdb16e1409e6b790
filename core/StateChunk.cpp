#include "core/StateChunk.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kInt32Bytes = 4;
constexpr int kDoubleBytes = 8;
constexpr int kFlagBytes = 1;

void StoreLittleEndian(uint8_t* dest, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) dest[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t LoadLittleEndian(const uint8_t* src, int width) {
  uint64_t value = 0;
  for (int i = 0; i < width; ++i) value |= uint64_t{src[i]} << (8 * i);
  return value;
}

uint64_t DoubleBits(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

double BitsDouble(uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

int32_t Int32FromBits(uint64_t bits) {
  const auto low = static_cast<uint32_t>(bits);
  int32_t value;
  std::memcpy(&value, &low, sizeof value);
  return value;
}
}  // namespace

uint8_t* IStateChunk::Extend(int n) {
  const int old = ByteCount();
  if (n < 1 || n > INT32_MAX - old) return nullptr;
  buffer_.SetByteSize(old + n, false);
  if (ByteCount() != old + n) return nullptr;  // no memory: the buffer kept its old size
  return Bytes() + old;
}

const uint8_t* IStateChunk::Span(int position, int n) const {
  // Written so that no sum can overflow, whatever position and n are.
  if (position < 0 || n < 1 || n > ByteCount() - position) return nullptr;
  return Bytes() + position;
}

bool IStateChunk::AppendInt32(int32_t value) {
  uint8_t* dest = Extend(kInt32Bytes);
  if (dest == nullptr) return false;
  StoreLittleEndian(dest, static_cast<uint32_t>(value), kInt32Bytes);
  return true;
}

bool IStateChunk::AppendDouble(double value) {
  uint8_t* dest = Extend(kDoubleBytes);
  if (dest == nullptr) return false;
  StoreLittleEndian(dest, DoubleBits(value), kDoubleBytes);
  return true;
}

bool IStateChunk::AppendFlag(bool value) {
  uint8_t* dest = Extend(kFlagBytes);
  if (dest == nullptr) return false;
  *dest = value ? 1 : 0;
  return true;
}

bool IStateChunk::AppendText(const char* text) {
  if (text == nullptr) text = "";
  const size_t length = std::strlen(text);
  if (length > static_cast<size_t>(INT32_MAX - kInt32Bytes)) return false;
  const int n = static_cast<int>(length);
  // Prefix and bytes are added in one step so that a failure leaves no stray prefix.
  uint8_t* dest = Extend(kInt32Bytes + n);
  if (dest == nullptr) return false;
  StoreLittleEndian(dest, static_cast<uint32_t>(n), kInt32Bytes);
  std::memcpy(dest + kInt32Bytes, text, length);
  return true;
}

bool IStateChunk::AppendBytes(const IStateChunk& other) {
  const int n = other.ByteCount();
  if (n == 0) return true;
  uint8_t* dest = Extend(n);
  if (dest == nullptr) return false;
  // Taken after growing: when other is this chunk its block may have moved, and the old
  // bytes now lie just before dest, not overlapping it.
  std::memcpy(dest, other.Bytes(), static_cast<size_t>(n));
  return true;
}

int IStateChunk::ReadInt32(int32_t* out, int position) const {
  const uint8_t* src = Span(position, kInt32Bytes);
  if (src == nullptr || out == nullptr) return -1;
  *out = Int32FromBits(LoadLittleEndian(src, kInt32Bytes));
  return position + kInt32Bytes;
}

int IStateChunk::ReadDouble(double* out, int position) const {
  const uint8_t* src = Span(position, kDoubleBytes);
  if (src == nullptr || out == nullptr) return -1;
  *out = BitsDouble(LoadLittleEndian(src, kDoubleBytes));
  return position + kDoubleBytes;
}

int IStateChunk::ReadFlag(bool* out, int position) const {
  const uint8_t* src = Span(position, kFlagBytes);
  if (src == nullptr || out == nullptr) return -1;
  *out = *src != 0;
  return position + kFlagBytes;
}

int IStateChunk::ReadText(char* out, int capacity, int position) const {
  if (out == nullptr || capacity < 1) return -1;
  int32_t n = 0;
  const int start = ReadInt32(&n, position);
  if (start < 0 || n < 0 || n > ByteCount() - start) return -1;
  // start > 0 here, so the chunk holds bytes and Bytes() is not null.
  const uint8_t* src = Bytes() + start;
  size_t length = static_cast<size_t>(std::min(n, capacity - 1));
  if (const void* zero = std::memchr(src, 0, length)) {
    length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - src);
  }
  std::memcpy(out, src, length);
  out[length] = '\0';
  return start + n;
}

bool WriteChunkHeader(IStateChunk& chunk) {
  chunk.Truncate();
  if (chunk.AppendInt32(IStateChunk::kMagic) && chunk.AppendInt32(IStateChunk::kFormatVersion)) {
    return true;
  }
  chunk.Truncate();
  return false;
}

int ReadChunkHeader(const IStateChunk& chunk, int* position) {
  if (position == nullptr) return 0;
  int32_t magic = 0;
  const int afterMagic = chunk.ReadInt32(&magic, *position);
  if (afterMagic < 0 || magic != IStateChunk::kMagic) return 0;
  int32_t version = 0;
  *position = chunk.ReadInt32(&version, afterMagic);
  return *position < 0 ? 0 : version;
}
