// Decoding images of the editor's four sizes with PIX_ReadPngMemory against libpng's
// simplified decoder on the same bytes, both into 8-bit BGRA.

#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <memory>
#include <vector>

#include "raster/PngReader.h"
#include "tests/raster/PngTestImages.h"

namespace {

// A drawn-looking image: smooth shading with a little noise, and with alpha a soft disc.
std::vector<unsigned char> MakePng(int w, int h, bool alpha) {
  rtest::PngImage image;
  image.width = w, image.height = h;
  image.colourType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  unsigned noise = 1;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int shade = int(96 + 64 * std::sin(x * 0.07) * std::cos(y * 0.05)) + int(noise >> 29);
      image.samples.insert(image.samples.end(),
                           {uint16_t(shade), uint16_t(shade * 3 / 4), uint16_t(shade / 2)});
      if (alpha) {
        const double r = std::hypot(x % 48 - 24.0, y % 48 - 24.0);
        image.samples.push_back(uint16_t(std::clamp(int((22 - r) * 128), 0, 255)));
      }
    }
  }
  return rtest::EncodePng(image);
}

const std::vector<unsigned char>& Image(int index) {
  static const std::vector<unsigned char> images[] = {
      MakePng(48, 4800, true), MakePng(274, 438, false), MakePng(570, 11, true),
      MakePng(44, 68, true)};
  return images[index];
}

const char* const kNames[] = {"knob 48x4800", "background 274x438", "font 570x11",
                              "fader cap 44x68"};

void Pixels(benchmark::State& state, int w, int h) {
  state.counters["Mpixel/s"] =
      benchmark::Counter(double(state.iterations()) * w * h / 1e6, benchmark::Counter::kIsRate);
}

void ReadPngMemory(benchmark::State& state) {
  const std::vector<unsigned char>& png = Image(int(state.range(0)));
  int w = 0, h = 0;
  for (auto _ : state) {
    std::unique_ptr<PIX_MemBitmap> bitmap(PIX_ReadPngMemory(png.data(), int(png.size())));
    w = bitmap->Width(), h = bitmap->Height();
    benchmark::DoNotOptimize(bitmap->PixelData());
  }
  state.SetLabel(kNames[state.range(0)]);
  Pixels(state, w, h);
}

void SimplifiedApi(benchmark::State& state) {
  const std::vector<unsigned char>& png = Image(int(state.range(0)));
  int w = 0, h = 0;
  for (auto _ : state) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_memory(&image, png.data(), png.size());
    image.format = PNG_FORMAT_BGRA;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    w = int(image.width), h = int(image.height);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetLabel(kNames[state.range(0)]);
  Pixels(state, w, h);
}

BENCHMARK(ReadPngMemory)->DenseRange(0, 3);
BENCHMARK(SimplifiedApi)->DenseRange(0, 3);

}  // namespace
