#pragma once
// Finds the installed font file that best answers a face name, weight and slant. Names
// the system does not know (or only knows by a metric-compatible substitute) resolve to
// the closest installed face, and a name that matches nothing to the default sans face.

#include <string>

struct FontMatch {
  std::string file;
  int faceIndex = 0;
  // The matched face is lighter or more upright than asked for; the caller makes up the
  // difference by emboldening or slanting the outlines.
  bool needsEmbolden = false;
  bool needsOblique = false;
};

// weight on the 100-900 scale (0 means regular). False when no font file is installed.
bool FindFontFile(const char* faceName, int weight, bool italic, FontMatch* match);
