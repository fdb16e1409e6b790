// Reads arbitrary bytes as a state chunk with every reader at every position (and at the
// extremes of the int range) and checks that each result is either -1 or lies inside the
// chunk, that texts come back terminated within their field, and that a text read back
// and written again reads the same.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "core/StateChunk.h"

namespace {
void Check(bool condition) {
  if (!condition) std::abort();
}

// A result must be -1 or the position just after an item of the given width.
void CheckResult(const IStateChunk& chunk, int position, int result, int width) {
  if (result < 0) {
    Check(result == -1);
    return;
  }
  Check(position >= 0 && result == int64_t{position} + width && result <= chunk.ByteCount());
}

void CheckTextRoundTrip(const char* text) {
  IStateChunk copy;
  Check(copy.AppendText(text));
  char again[256];
  Check(copy.ReadText(again, sizeof again, 0) == copy.ByteCount());
  Check(std::strcmp(again, text) == 0);
}

void ReadEverything(const IStateChunk& chunk, int position, int capacity) {
  int32_t i = 0;
  double d = 0.0;
  bool f = false;
  CheckResult(chunk, position, chunk.ReadInt32(&i, position), 4);
  CheckResult(chunk, position, chunk.ReadDouble(&d, position), 8);
  CheckResult(chunk, position, chunk.ReadFlag(&f, position), 1);

  // The field is exactly capacity bytes on the heap, so a write past it is caught.
  auto* field = static_cast<char*>(std::malloc(static_cast<size_t>(capacity)));
  std::memset(field, 'k', static_cast<size_t>(capacity));
  const int end = chunk.ReadText(field, capacity, position);
  if (end >= 0) {
    Check(position >= 0 && end >= int64_t{position} + 4 && end <= chunk.ByteCount());
    Check(strnlen(field, static_cast<size_t>(capacity)) < static_cast<size_t>(capacity));
    CheckTextRoundTrip(field);
  } else {
    Check(end == -1 && field[0] == 'k');
  }
  std::free(field);

  int headerPosition = position;
  const int version = ReadChunkHeader(chunk, &headerPosition);
  const bool read = headerPosition == int64_t{position} + 8;
  Check(read || headerPosition == position || headerPosition == -1);
  if (!read) Check(version == 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1 << 20)) return 0;
  // The first byte chooses the capacity of the text field (1 to 256 bytes).
  const int capacity = data[0] + 1;
  IStateChunk chunk;
  const int n = static_cast<int>(size - 1);
  chunk.ResizeZeroFill(n);
  Check(chunk.ByteCount() == n);
  if (n > 0) std::memcpy(chunk.Bytes(), data + 1, static_cast<size_t>(n));

  for (int position = -2; position <= n + 1; ++position) ReadEverything(chunk, position, capacity);
  for (int position : {INT_MIN, INT_MIN + 1, INT_MAX - 8, INT_MAX - 4, INT_MAX - 1, INT_MAX}) {
    ReadEverything(chunk, position, capacity);
  }

  // Appending the chunk to itself keeps both halves intact.
  Check(chunk.AppendBytes(chunk));
  Check(chunk.ByteCount() == 2 * n);
  if (n > 0) {
    Check(std::memcmp(chunk.Bytes(), data + 1, static_cast<size_t>(n)) == 0);
    Check(std::memcmp(chunk.Bytes() + n, data + 1, static_cast<size_t>(n)) == 0);
  }
  return 0;
}
