// Feeds arbitrary bytes to a real plug-in as a restored bank or program, then processes a
// block: whatever the bytes, nothing may crash and the output must stay finite.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "effect/Tessaly.h"
#include "host/VstEntry.h"

namespace {
intptr_t SilentHost(AEffect*, int32_t, int32_t, intptr_t, void*, float) { return 0; }

IEffectVST* CreateTessaly(audioMasterCallback host) { return new Tessaly(host); }

constexpr int kFrames = 64;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static AEffect* effect = [] {
    AEffect* created = CreateVstEffect(SilentHost, CreateTessaly);
    created->dispatcher(created, effOpen, 0, 0, nullptr, 0.0f);
    created->dispatcher(created, effSetBlockSize, 0, kFrames, nullptr, 0.0f);
    return created;
  }();
  // The first byte chooses the kind of chunk: even for a bank, odd for a program.
  const int index = data[0] % 2;
  std::vector<uint8_t> chunk(data + 1, data + size);
  effect->dispatcher(effect, effSetChunk, index, static_cast<intptr_t>(chunk.size()),
                     chunk.empty() ? nullptr : chunk.data(), 0.0f);
  // Switching presets replays whatever the chunk left in them.
  effect->dispatcher(effect, effSetProgram, 0, data[0] % 5, nullptr, 0.0f);

  std::vector<float> left(kFrames, 0.5f), right(kFrames, -0.25f);
  float* buffers[] = {left.data(), right.data()};
  effect->processReplacing(effect, buffers, buffers, kFrames);
  for (int i = 0; i < kFrames; ++i) {
    if (!std::isfinite(left[i]) || !std::isfinite(right[i])) std::abort();
  }
  void* saved = nullptr;
  effect->dispatcher(effect, effGetChunk, index, 0, &saved, 0.0f);
  return 0;
}
