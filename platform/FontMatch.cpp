#include "platform/FontMatch.h"

#include <fontconfig/fontconfig.h>

namespace {
constexpr int kRegularWeight = 400;
constexpr int kBoldThreshold = 600;
constexpr const char* kDefaultFamily = "sans-serif";

FcPattern* RequestPattern(const char* faceName, int weight, bool italic) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return nullptr;
  const char* family = (faceName != nullptr && faceName[0] != 0) ? faceName : kDefaultFamily;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  // A family that is not installed falls back through the configured aliases to sans.
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(kDefaultFamily));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  return pattern;
}

// The system's font configuration usually stands in for a missing bold or italic face by
// marking the upright face as bold or oblique and asking the renderer to embolden it or to
// shear it through the matrix; the face itself is still the regular one.
bool AsksToEmbolden(FcPattern* found) {
  FcBool embolden = FcFalse;
  return FcPatternGetBool(found, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden;
}

bool AsksToShear(FcPattern* found) {
  FcMatrix* matrix = nullptr;
  return FcPatternGetMatrix(found, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix->xy != 0.0;
}

void ReadMatch(FcPattern* found, int weight, bool italic, FontMatch* match) {
  FcChar8* file = nullptr;
  FcPatternGetString(found, FC_FILE, 0, &file);
  match->file = reinterpret_cast<const char*>(file);
  int index = 0;
  match->faceIndex = FcPatternGetInteger(found, FC_INDEX, 0, &index) == FcResultMatch ? index : 0;
  int foundWeight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(found, FC_WEIGHT, 0, &foundWeight);
  int foundSlant = FC_SLANT_ROMAN;
  FcPatternGetInteger(found, FC_SLANT, 0, &foundSlant);
  match->needsEmbolden = weight >= kBoldThreshold &&
                         (foundWeight < FcWeightFromOpenType(kBoldThreshold) || AsksToEmbolden(found));
  match->needsOblique = italic && (foundSlant == FC_SLANT_ROMAN || AsksToShear(found));
}
}  // namespace

bool FindFontFile(const char* faceName, int weight, bool italic, FontMatch* match) {
  if (match == nullptr) return false;
  if (weight <= 0) weight = kRegularWeight;
  FcPattern* pattern = RequestPattern(faceName, weight, italic);
  if (pattern == nullptr) return false;
  FcResult result = FcResultNoMatch;
  FcPattern* found = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (found == nullptr) return false;
  FcChar8* file = nullptr;
  const bool hasFile = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch;
  if (hasFile) ReadMatch(found, weight, italic, match);
  FcPatternDestroy(found);
  return hasFile;
}
