// tessaly-fontsheet [--out FILE.png | FILE.png]: draws one sample line per font option of the
// raster library's cached fonts (normal, bold, italic, blurred, outline, shadow,
// monochrome, colour alpha, native drawing, and both turned directions) and writes the
// sheet as a PNG.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/FontFace.h"
#include "platform/TextDraw.h"
#include "raster/CachedFont.h"
#include "raster/CombineMode.h"
#include "raster/FillArea.h"
#include "raster/MemBitmap.h"
#include "raster/PngWriter.h"
#include "tools/host/SafeOutputFile.h"

namespace {
constexpr int kWidth = 720;
constexpr int kHeight = 480;
constexpr int kRowHeight = 46;
constexpr int kLabelLeft = 16;
constexpr int kSampleLeft = 170;
constexpr int kSampleRight = 600;
constexpr PIX_PixelValue kPanel = 0xFFE9ECEF;
constexpr PIX_PixelValue kInk = 0xFF1B2A3A;
constexpr const char* kSample = "Gain \xE2\x88\x92" "3.5 dB \xC2\xB7 St\xC3\xA9r\xC3\xA9o";

struct Style {
  const char* label;
  int options;
  int weight;
  bool italic;
  PIX_PixelValue text;
  PIX_PixelValue effect;
};

std::unique_ptr<PIX_CachedFont> MakeFont(int height, int weight, bool italic, int options) {
  auto font = std::make_unique<PIX_CachedFont>();
  font->UseSystemFont(CreateFontA(height, 0, 0, 0, weight, italic, 0, 0, 0, 0, 0, 0, 0, "Verdana"),
                      options | PIX_FONTOPT_OWNS_FONT);
  return font;
}

void DrawLabel(PIX_MemBitmap& sheet, PIX_CachedFont& font, const char* text, int top) {
  IRectangle rect{kLabelLeft, top, kSampleLeft - 8, top + kRowHeight};
  font.RenderText(&sheet, text, -1, &rect, DT_VCENTER | DT_SINGLELINE);
}

void DrawStyleRows(PIX_MemBitmap& sheet, PIX_CachedFont& labels, int top) {
  const Style styles[] = {
      {"normal", 0, 400, false, kInk, 0},
      {"bold", 0, 700, false, kInk, 0},
      {"italic", 0, 400, true, kInk, 0},
      {"blurred", PIX_FONTOPT_BLUR, 700, false, kInk, 0},
      {"outline", PIX_FONTOPT_OUTLINE, 700, false, 0xFFFFFFFF, 0xFF1B2A3A},
      {"shadow", PIX_FONTOPT_SHADOW, 700, false, 0xFFF2B705, 0xFF5A5A5A},
      {"monochrome", PIX_FONTOPT_MONO, 400, false, kInk, 0},
      {"native", PIX_FONTOPT_NATIVE, 400, false, 0xFF0B5394, 0},
  };
  for (const Style& style : styles) {
    DrawLabel(sheet, labels, style.label, top);
    auto font = MakeFont(22, style.weight, style.italic, style.options);
    font->ReplaceForeground(style.text);
    font->ReplaceEffectColor(style.effect);
    IRectangle rect{kSampleLeft, top, kSampleRight, top + kRowHeight};
    font->RenderText(&sheet, kSample, -1, &rect, DT_VCENTER | DT_SINGLELINE);
    top += kRowHeight;
  }
}

// The same word at falling colour alpha over a striped ground, so the blending shows.
void DrawAlphaRow(PIX_MemBitmap& sheet, PIX_CachedFont& labels, int top) {
  DrawLabel(sheet, labels, "colour alpha", top);
  for (int x = kSampleLeft; x < kSampleRight; x += 16) {
    PIX_FillArea(&sheet, x, top + 4, 8, kRowHeight - 8, 0xFFC9D6E3, 1.0f, PIX_COMBINE_COPY);
  }
  auto font = MakeFont(26, 700, false, PIX_FONTOPT_NATIVE);
  const PIX_PixelValue alphas[] = {0xFF, 0xC0, 0x80, 0x40};
  int left = kSampleLeft;
  for (PIX_PixelValue alpha : alphas) {
    font->ReplaceForeground(alpha << 24 | 0xB0171F);
    IRectangle rect{left, top, left + 110, top + kRowHeight};
    font->RenderText(&sheet, "Mono", -1, &rect,
                     DT_VCENTER | DT_SINGLELINE | DT_CENTER | PIX_TEXT_USE_COLOR_ALPHA);
    left += 110;
  }
}

// Turned text runs down (clockwise) and up (counter-clockwise) in two columns.
void DrawTurnedColumns(PIX_MemBitmap& sheet, PIX_CachedFont& labels) {
  const int left = kSampleRight + 20;
  IRectangle caption{left - 8, 10, kWidth, 40};
  labels.RenderText(&sheet, "turned", -1, &caption, DT_CENTER | DT_SINGLELINE);
  const int options[] = {PIX_FONTOPT_ROTATED, PIX_FONTOPT_ROTATED | PIX_FONTOPT_ROTATED_UP};
  for (int i = 0; i < 2; ++i) {
    auto font = MakeFont(22, 400, false, options[i]);
    font->ReplaceForeground(kInk);
    IRectangle rect{left + i * 44, 44, left + i * 44 + 30, kHeight - 16};
    font->RenderText(&sheet, "Stereo width \xE2\x86\x92", -1, &rect, 0);
  }
}

constexpr const char* kUsage =
    "usage: tessaly-fontsheet [--out FILE.png | FILE.png]\n"
    "draws the raster library's cached fonts with each option into a PNG (default font-sheet.png)\n";

// Reads --out FILE or FILE; false with a one-line reason in error. help is set for --help.
bool ParseArguments(int argc, char** argv, std::string* path, bool* help, std::string* error) {
  bool pathGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "--help" || word == "-h") {
      *help = true;
      return true;
    }
    if (word == "--out" || word.rfind("--out=", 0) == 0) {
      if (word == "--out" && ++i >= argc) {
        *error = "option --out needs a value";
        return false;
      }
      word = word == "--out" ? argv[i] : word.substr(6);
    } else if (word.size() > 1 && word[0] == '-') {
      *error = "unknown option '" + word + "' (try --help)";
      return false;
    }
    if (pathGiven) {
      *error = "unexpected argument '" + word + "'";
      return false;
    }
    *path = word;
    pathGiven = true;
  }
  return true;
}

void DrawSheet(PIX_MemBitmap& sheet) {
  PIX_FillArea(&sheet, 0, 0, kWidth, kHeight, kPanel, 1.0f, PIX_COMBINE_COPY);
  auto labels = MakeFont(14, 400, false, PIX_FONTOPT_NATIVE);
  labels->ReplaceForeground(0xFF55606B);
  auto title = MakeFont(24, 700, false, PIX_FONTOPT_NATIVE);
  title->ReplaceForeground(kInk);
  IRectangle heading{kLabelLeft, 10, kSampleRight, 44};
  title->RenderText(&sheet, "Tessaly cached fonts", -1, &heading, DT_SINGLELINE);
  DrawStyleRows(sheet, *labels, 52);
  DrawAlphaRow(sheet, *labels, 52 + 8 * kRowHeight);
  DrawTurnedColumns(sheet, *labels);
}

bool WriteSheet(const PIX_MemBitmap& sheet, const std::string& path, std::string* error) {
  std::vector<unsigned char> bytes;
  if (!PIX_EncodePng(sheet, &bytes)) {
    *error = "cannot encode the picture";
    return false;
  }
  SafeOutputFile file;
  return file.Open(path, {}, error) && file.Write(bytes.data(), bytes.size(), error) && file.Commit(error);
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = "font-sheet.png";
  bool help = false;
  std::string error;
  if (!ParseArguments(argc, argv, &path, &help, &error)) {
    std::fprintf(stderr, "tessaly-fontsheet: %s\n", error.c_str());
    return 2;
  }
  if (help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  PIX_MemBitmap sheet(kWidth, kHeight);
  DrawSheet(sheet);
  if (!WriteSheet(sheet, path, &error)) {
    std::fprintf(stderr, "tessaly-fontsheet: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
