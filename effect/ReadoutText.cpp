#include "effect/ReadoutText.h"

#include <cstdio>
#include <cstring>

void FormatReadoutText(double db, char* text) {
  // Fewer decimals as the level falls; -10 itself shows without decimals like the levels
  // below it. Tiny negative values show as 0.00, never as a negative zero.
  if (db >= 0.0) {
    std::snprintf(text, kReadoutTextSize, "%2.2f", db);
  } else if (db > -10.0 && db < -0.05) {
    std::snprintf(text, kReadoutTextSize, "%2.1f", db);
  } else if (db >= -45.0 && db <= -10.0) {
    std::snprintf(text, kReadoutTextSize, "%2.0f", db);
  } else if (db < -45.0) {
    std::strcpy(text, "-#$");
  } else {
    std::strcpy(text, "0.00");
  }
}
