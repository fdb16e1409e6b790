#pragma once
// An editor for tests: it presents into a list of rectangles, decodes its resource images
// from PNG files that the tests encode in memory, and records the prompts it is asked to
// open. Images are registered process-wide by number, as the image cache keys them.

#include <map>
#include <string>
#include <vector>

#include "gui/Graphics.h"
#include "raster/PngReader.h"
#include "raster/PngTestImages.h"

namespace guitest {

struct TestImage {
  std::vector<unsigned char> png;
  int decodes = 0;
};

inline std::map<int, TestImage>& TestImages() {
  static std::map<int, TestImage> images;
  return images;
}

// Registers an opaque RGBA image whose pixel (x, y) is colour(x, y) under number.
template <typename Colour>
void RegisterImage(int number, int width, int height, Colour colour) {
  rtest::PngImage image;
  image.width = width;
  image.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const PIX_PixelValue p = colour(x, y);
      image.samples.insert(image.samples.end(), {uint16_t(p >> 16 & 255), uint16_t(p >> 8 & 255),
                                                 uint16_t(p & 255), uint16_t(p >> 24)});
    }
  }
  TestImages()[number].png = rtest::EncodePng(image);
}

inline int DecodeCount(int number) { return TestImages()[number].decodes; }

inline bool Same(const IRectangle& a, const IRectangle& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class TestGraphics : public IGraphics {
 public:
  explicit TestGraphics(IEffectBase* plugin, int width = 274, int height = 438)
      : IGraphics(plugin, width, height, 25) {}

  bool PresentRegion(const IRectangle& rect) override {
    presented.push_back(rect);
    return true;
  }
  void CancelTextEntry() override {}
  int ShowMessage(const char*, const char*, int) override { return 0; }
  IChoiceMenu* RunPopupMenu(IChoiceMenu&, const IRectangle&) override { return nullptr; }
  void BeginTextEntry(IControl*, const ITextStyle&, const IRectangle& rect, const char* text,
                      IEffectParameter*) override {
    entryRects.push_back(rect);
    entryTexts.push_back(text);
  }
  void GetHostModulePath(std::string&) override {}
  void GetPluginModulePath(std::string&) override {}
  void GetDesktopFolder(std::string&) override {}
  void GetAppDataFolder(std::string&, bool) override {}
  void GetUserAppDataFolder(std::string&) override {}
  void ChooseFile(std::string&, IFileAction, std::string&, const char*) override {}
  bool PickColour(IArgbColour&, const char*) override { return false; }
  bool OpenLink(const char*, const char*, const char*, const char*) override { return false; }
  bool OpenEditorWindow(void*) override { return false; }
  void CloseEditorWindow() override {}
  void* NativeWindow() override { return nullptr; }
  bool ReadClipboardText(std::string&) override { return false; }
  void GraphicsHookD() override {}
  PIX_IBitmap* LoadResourceImage(int number, const char*) override {
    auto found = TestImages().find(number);
    if (found == TestImages().end()) return nullptr;
    ++found->second.decodes;
    const std::vector<unsigned char>& png = found->second.png;
    return PIX_ReadPngMemory(png.data(), int(png.size()));
  }

  // Redraws whatever is dirty, as a timer tick does; false when nothing was.
  bool Tick() {
    IRectangle area{0, 0, 0, 0};
    return FindDirtyArea(area) && RedrawArea(area);
  }
  PIX_PixelValue Pixel(int x, int y) const { return Surface()->Row(y)[x]; }

  std::vector<IRectangle> presented;
  std::vector<IRectangle> entryRects;
  std::vector<std::string> entryTexts;
};

}  // namespace guitest
