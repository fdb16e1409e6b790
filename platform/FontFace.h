#pragma once
// A system font: an installed face opened with FreeType at a pixel size, with the weight,
// slant, angle and smoothing it was created with. It is what a font handle points to;
// CreateFontA makes one and DeleteObject destroys it. Used on one thread at a time.

#include <array>
#include <cstdint>
#include <vector>

struct FT_FaceRec_;

// Quality values of CreateFontA that change how glyphs are rendered.
constexpr uint32_t NONANTIALIASED_QUALITY = 3;

struct TEXTMETRICA {
  int32_t tmHeight;   // cell height: ascent + descent, the distance between lines
  int32_t tmAscent;   // cell top to baseline
  int32_t tmDescent;  // baseline to cell bottom
};

// Coverage of one rendered glyph: 0 = not covered, 255 = fully covered. left and top
// place its first byte relative to the pen origin in device pixels (y downward).
struct GlyphCoverage {
  const uint8_t* bytes = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;
  int left = 0;
  int top = 0;
};

class FontFace {
 public:
  struct Request {
    int height;      // > 0 cell height, < 0 character (em) height, 0 default
    int width;       // average character width, 0 for the face's own proportions
    int escapement;  // text angle in tenths of a degree, counter-clockwise
    int weight;      // 100-900, 0 = regular
    bool italic;
    uint32_t quality;
    const char* faceName;
  };

  // Null when no face could be found or opened.
  static FontFace* Create(const Request& request);
  // The font a device context draws with when none is selected.
  static FontFace* Default();
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const TEXTMETRICA& Metrics() const { return metrics_; }
  // Text angle in radians (0 for horizontal text).
  double Angle() const { return angle_; }
  // Whole pixels the pen moves after the character along the text's direction; 0 for
  // control codes, which draw nothing.
  int Advance(uint32_t code);
  // Renders the character with its pen origin at (originX, originY), 26.6 fixed-point
  // device pixels. False when there is nothing to draw. The coverage stays valid until
  // the next call on this font.
  bool Render(uint32_t code, long originX, long originY, GlyphCoverage* out);

 private:
  FontFace() = default;
  bool Open(const Request& request);
  void SetSize(const Request& request);
  bool LoadOutline(uint32_t code);

  FT_FaceRec_* face_ = nullptr;
  TEXTMETRICA metrics_{};
  double angle_ = 0;
  bool embolden_ = false;
  bool oblique_ = false;
  bool mono_ = false;
  std::array<int16_t, 256> advances_;
  std::vector<uint8_t> monoBytes_;
};

typedef FontFace* HFONT;

// Makes a font the way the system call of that name does; underline, strike-out,
// character set, precisions and pitch are accepted and not used, and orientation follows
// escapement. Null when no face could be opened.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight,
                  uint32_t italic, uint32_t underline, uint32_t strikeOut, uint32_t charSet,
                  uint32_t outPrecision, uint32_t clipPrecision, uint32_t quality,
                  uint32_t pitchAndFamily, const char* faceName);
// Destroys a font made by CreateFontA; false for null.
bool DeleteObject(HFONT font);
