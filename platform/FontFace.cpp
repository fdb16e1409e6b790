#include "platform/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstddef>
#include <mutex>

#include "platform/FontMatch.h"

namespace {
constexpr int kDefaultCellHeight = 16;
constexpr int kTenthsPerTurn = 3600;
constexpr double kPi = 3.14159265358979323846;

// One FreeType library for the process. Opening and closing faces share its state, so
// those two calls are serialised; everything else works on a face of its own.
std::mutex& LibraryMutex() {
  static std::mutex mutex;
  return mutex;
}

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library created = nullptr;
    return FT_Init_FreeType(&created) == 0 ? created : nullptr;
  }();
  return library;
}

long ToFixed(double pixels) { return std::lround(pixels * 64.0); }

int RoundFixed(long fixed) { return static_cast<int>((fixed + 32) >> 6); }

// The face's cell in font units: the Windows ascent and descent when the face has them.
void CellUnits(FT_Face face, double* ascent, double* descent) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    *ascent = os2->usWinAscent;
    *descent = os2->usWinDescent;
  } else {
    *ascent = face->ascender;
    *descent = -face->descender;
  }
}

double AverageWidthUnits(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return os2 != nullptr && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : face->units_per_EM / 2.0;
}
}  // namespace

FontFace* FontFace::Create(const Request& request) {
  auto* font = new FontFace();
  if (!font->Open(request)) {
    delete font;
    return nullptr;
  }
  return font;
}

FontFace* FontFace::Default() {
  static FontFace* font = Create({kDefaultCellHeight, 0, 0, 0, false, 0, nullptr});
  return font;
}

FontFace::~FontFace() {
  if (face_ == nullptr) return;
  std::lock_guard<std::mutex> lock(LibraryMutex());
  FT_Done_Face(face_);
}

bool FontFace::Open(const Request& request) {
  FontMatch match;
  if (!FindFontFile(request.faceName, request.weight, request.italic, &match)) return false;
  {
    std::lock_guard<std::mutex> lock(LibraryMutex());
    if (Library() == nullptr ||
        FT_New_Face(Library(), match.file.c_str(), match.faceIndex, &face_) != 0) {
      face_ = nullptr;
      return false;
    }
  }
  if (!FT_IS_SCALABLE(face_)) return false;
  embolden_ = match.needsEmbolden;
  oblique_ = match.needsOblique;
  mono_ = request.quality == NONANTIALIASED_QUALITY;
  angle_ = (request.escapement % kTenthsPerTurn) * kPi / 1800.0;
  advances_.fill(-1);
  SetSize(request);
  return true;
}

// A positive height is the cell (ascent + descent), as the system takes it; a negative one
// the em size.
void FontFace::SetSize(const Request& request) {
  double ascentUnits = 0;
  double descentUnits = 0;
  CellUnits(face_, &ascentUnits, &descentUnits);
  const double units = face_->units_per_EM;
  const double cellUnits = ascentUnits + descentUnits > 0 ? ascentUnits + descentUnits : units;
  int cell = request.height != 0 ? request.height : kDefaultCellHeight;
  double em = cell * units / cellUnits;
  if (cell < 0) {
    em = -cell;
    cell = static_cast<int>(std::lround(cellUnits * em / units));
  }
  const double emWidth =
      request.width > 0 ? request.width * units / AverageWidthUnits(face_) : em;
  FT_Set_Char_Size(face_, ToFixed(emWidth), ToFixed(em), 72, 72);
  metrics_.tmHeight = cell;
  metrics_.tmAscent = static_cast<int>(std::lround(ascentUnits * em / units));
  metrics_.tmDescent = cell - metrics_.tmAscent;
}

// Loads the character's outline with the synthetic weight and slant applied, unturned.
bool FontFace::LoadOutline(uint32_t code) {
  if (code < 32) return false;
  FT_Int32 flags = FT_LOAD_NO_BITMAP | (mono_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  if (angle_ != 0) flags |= FT_LOAD_NO_HINTING;  // hinting snaps to an upright grid
  if (FT_Load_Char(face_, code, flags) != 0) return false;
  FT_GlyphSlot slot = face_->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  if (embolden_) FT_GlyphSlot_Embolden(slot);
  if (oblique_) FT_GlyphSlot_Oblique(slot);
  return true;
}

int FontFace::Advance(uint32_t code) {
  if (code < advances_.size() && advances_[code] >= 0) return advances_[code];
  const int advance = LoadOutline(code) ? RoundFixed(face_->glyph->advance.x) : 0;
  if (code < advances_.size()) advances_[code] = static_cast<int16_t>(advance);
  return advance;
}

bool FontFace::Render(uint32_t code, long originX, long originY, GlyphCoverage* out) {
  if (!LoadOutline(code)) return false;
  FT_GlyphSlot slot = face_->glyph;
  if (angle_ != 0) {
    const FT_Fixed c = static_cast<FT_Fixed>(std::lround(std::cos(angle_) * 65536.0));
    const FT_Fixed s = static_cast<FT_Fixed>(std::lround(std::sin(angle_) * 65536.0));
    FT_Matrix turn = {c, -s, s, c};
    FT_Outline_Transform(&slot->outline, &turn);
  }
  // Outline coordinates run upward; device rows run downward.
  FT_Outline_Translate(&slot->outline, originX & 63, -(originY & 63));
  if (FT_Render_Glyph(slot, mono_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return false;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.width == 0 || bitmap.rows == 0) return false;
  out->width = static_cast<int>(bitmap.width);
  out->height = static_cast<int>(bitmap.rows);
  out->left = static_cast<int>(originX >> 6) + slot->bitmap_left;
  out->top = static_cast<int>(originY >> 6) - slot->bitmap_top;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
    out->bytes = bitmap.buffer;
    out->pitch = bitmap.pitch;
    return true;
  }
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return false;
  // One bit per pixel, most significant first: spread to whole bytes.
  monoBytes_.resize(static_cast<size_t>(out->width) * out->height);
  for (int y = 0; y < out->height; ++y) {
    const uint8_t* bits = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    for (int x = 0; x < out->width; ++x) {
      monoBytes_[static_cast<size_t>(y) * out->width + x] =
          (bits[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
    }
  }
  out->bytes = monoBytes_.data();
  out->pitch = out->width;
  return true;
}

HFONT CreateFontA(int height, int width, int escapement, int /*orientation*/, int weight,
                  uint32_t italic, uint32_t /*underline*/, uint32_t /*strikeOut*/,
                  uint32_t /*charSet*/, uint32_t /*outPrecision*/, uint32_t /*clipPrecision*/,
                  uint32_t quality, uint32_t /*pitchAndFamily*/, const char* faceName) {
  return FontFace::Create({height, width, escapement, weight, italic != 0, quality, faceName});
}

bool DeleteObject(HFONT font) {
  if (font == nullptr || font == FontFace::Default()) return false;
  delete font;
  return true;
}
