#include "core/HostIdentification.h"

#include <cstring>

namespace {
struct HostWord {
  const char* word;
  HostIdentity identity;
};

// Tried in this order; the first word found wins, so a text naming two hosts gets the
// earlier row and "live" also matches inside longer words.
constexpr HostWord kHostWords[] = {
    {"cubase", kHostCubase},
    {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostCakewalk},
    {"samplitude", kHostSamplitude},
    {"fruity", kHostFruity},
    {"live", kHostLive},
    {"melodyne", kHostMelodyne},
    {"vstmanlib", kHostVstManLib},
    {"aulab", kHostAuLab},
    {"garageband", kHostGarageBand},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"sawstudio", kHostSawStudio},
    {"logic", kHostLogic},
    {"digital", kHostDigital},
    {"audiomulch", kHostAudioMulch},
    {"presonus", kHostPresonus},
    {"vst3plugintesthost", kHostVst3PluginTestHost},
    {"protools", kHostProtools},
    {"ardour", kHostArdour},
    {"standalone", kHostStandalone},
};

constexpr int64_t kMajorStep = 10000;
constexpr int64_t kMinorStep = 100;
}  // namespace

char* LowerCopy(char* destination, int capacity, const char* source) {
  if (destination == nullptr || capacity < 1) return nullptr;
  size_t length = 0;
  if (source != nullptr) {
    length = strnlen(source, static_cast<size_t>(capacity - 1));
    // Only A-Z change, as lowering does in the default locale; other bytes pass through.
    for (size_t i = 0; i < length; ++i) {
      const char c = source[i];
      destination[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
  }
  destination[length] = '\0';
  return length > 0 ? destination : nullptr;
}

HostIdentity IdentifyHost(const char* productText) {
  char lowered[kProductTextBytes];
  if (LowerCopy(lowered, kProductTextBytes, productText) == nullptr) return kHostUnknown;
  for (const HostWord& row : kHostWords) {
    if (std::strstr(lowered, row.word) != nullptr) return row.identity;
  }
  return kHostUnknown;
}

int32_t PackHostVersion(int64_t decimalVersion) {
  const int64_t major = decimalVersion / kMajorStep;
  // Beyond this the packed form cannot fit; checked first so the products stay small.
  if (major < INT16_MIN || major > INT16_MAX) return 0;
  const int64_t minor = decimalVersion % kMajorStep / kMinorStep;
  const int64_t patch = decimalVersion % kMinorStep;
  const int64_t packed = major * 65536 + minor * 256 + patch;
  if (packed < INT32_MIN || packed > INT32_MAX) return 0;
  return static_cast<int32_t>(packed);
}
