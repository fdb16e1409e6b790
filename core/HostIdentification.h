#pragma once
// Classifies the host by the product text it reports about itself, so that host-specific
// set-up can adapt to it, and packs the host's decimal version number.

#include <cstdint>

// What IdentifyHost answers; each value is named after the word that selects it.
enum HostIdentity : int32_t {
  kHostNotIdentified = -1,  // the host has not been asked yet
  kHostUnknown = 0,         // no known word in the product text
  kHostReaper = 1,
  kHostProtools = 2,
  kHostCubase = 3,
  kHostNuendo = 4,
  kHostCakewalk = 5,
  kHostFruity = 7,
  kHostSamplitude = 8,
  kHostLive = 9,
  kHostMelodyne = 12,
  kHostVstManLib = 13,
  kHostAuLab = 14,
  kHostForte = 15,
  kHostChainer = 16,
  kHostAudition = 17,
  kHostOrion = 18,
  kHostSawStudio = 20,
  kHostLogic = 21,
  kHostGarageBand = 22,
  kHostDigital = 23,
  kHostStandalone = 24,
  kHostAudioMulch = 25,
  kHostPresonus = 26,
  kHostVst3PluginTestHost = 27,
  kHostArdour = 28,
};

// Size of the buffers a product text is held in; longer texts are cut to one byte less.
constexpr int kProductTextBytes = 256;

// The identity of the first known word found anywhere in the lowered product text (the
// words are tried in a fixed order). Null or empty text gives kHostUnknown.
HostIdentity IdentifyHost(const char* productText);

// Copies source into destination (capacity bytes) with A-Z lowered and other bytes kept,
// cut to capacity - 1 bytes and terminated. Returns destination, or null when the source is
// null or empty (destination then holds "") or when there is no room for a terminator.
char* LowerCopy(char* destination, int capacity, const char* source);

// Packs a decimal version (major * 10000 + minor * 100 + patch, as hosts report it) as
// major * 65536 + minor * 256 + patch; 5984 gives major 0, minor 59, patch 84. Division
// truncates toward zero. A version whose packed form does not fit 32 bits gives 0.
int32_t PackHostVersion(int64_t decimalVersion);
