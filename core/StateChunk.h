#pragma once
// The byte block of serialised state that the plug-in hands to its host and takes back
// from it. Writing appends at the end; reading takes an explicit position and returns the
// position after the item read, or -1 when the item is not wholly there. Multi-byte values
// are little-endian whatever the machine.

#include <cstdint>

#include "core/HeapBuffer.h"

class IStateChunk {
 public:
  static constexpr int kGranularity = 4096;
  // First eight bytes of every block handed to the host: "tffp", then the format version.
  static constexpr int32_t kMagic = 0x70666674;
  static constexpr int32_t kFormatVersion = 0x00010000;
  static constexpr int kHeaderBytes = 8;

  IStateChunk() : buffer_(kGranularity) {}
  IStateChunk(const IStateChunk&) = delete;
  IStateChunk& operator=(const IStateChunk&) = delete;

  // Appends return false and leave the chunk unchanged when memory runs out or the chunk
  // would outgrow the int range.
  bool AppendInt32(int32_t value);
  bool AppendDouble(double value);
  bool AppendFlag(bool value);
  // A 32-bit byte count, then the bytes of the text without terminator. Null counts as "".
  bool AppendText(const char* text);
  // The bytes of another chunk (or of this one), with no length prefix.
  bool AppendBytes(const IStateChunk& other);

  // On failure (item not wholly inside the chunk, negative position, null out) these
  // return -1 and leave *out unchanged.
  int ReadInt32(int32_t* out, int position) const;
  int ReadDouble(double* out, int position) const;
  // Any non-zero byte reads as true.
  int ReadFlag(bool* out, int position) const;
  // Reads a text written by AppendText into out, a field of capacity bytes: the stored
  // bytes up to the first zero among them, cut to capacity - 1 characters, terminated.
  // The result is the position after the whole stored text, however much of it fitted;
  // -1 (out unchanged) when the text is not wholly there, out is null or capacity < 1.
  int ReadText(char* out, int capacity, int position) const;

  // Empties the chunk, keeping its block for the next writes.
  void Truncate() { buffer_.SetByteSize(0, false); }
  int ByteCount() const { return buffer_.ByteCount(); }
  // Null when the chunk is empty.
  uint8_t* Bytes() { return buffer_.Bytes(); }
  const uint8_t* Bytes() const { return buffer_.Bytes(); }
  // Resizes to n bytes (negative counts as 0); added bytes are 0. Returns the old size.
  int ResizeZeroFill(int n) { return buffer_.ResizeZeroFill(n); }

 private:
  // Grows by n >= 1 bytes and returns where they start, or null with nothing changed.
  uint8_t* Extend(int n);
  // The n bytes at position when they all lie inside the chunk, else null.
  const uint8_t* Span(int position, int n) const;

  IHeapBuffer buffer_;
};

// Empties the chunk and writes the magic and the format version. False when it could not.
bool WriteChunkHeader(IStateChunk& chunk);

// Reads a header at *position. Without the magic there: returns 0 and leaves *position
// alone, so a block without header is read from where it starts. With the magic: returns
// the version and moves *position past it, or returns 0 and sets *position to -1 when the
// version is missing.
int ReadChunkHeader(const IStateChunk& chunk, int* position);
