// Blits and fills against pixman doing the nearest operation on the same number of pixels:
// opaque copy vs SRC, source-alpha copy vs OVER with a premultiplied source (with a solid
// 50% mask for half opacity), add vs ADD, fills vs a solid fill. Sizes: the editor's
// 274 x 438 and 1024 x 1024.

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <random>

#include "raster/Composite.h"
#include "raster/FillArea.h"
#include "raster/MemBitmap.h"

namespace {

// Straight-alpha source with random colour and alpha, so that no run of pixels is
// uniformly opaque or transparent.
struct Images {
  PIX_MemBitmap source, destination;
  pixman_image_t* pixmanSource;
  pixman_image_t* pixmanDestination;

  Images(int w, int h) : source(w, h), destination(w, h) {
    std::mt19937 random(1);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        source.Row(y)[x] = random();
        destination.Row(y)[x] = random() | 0xFF000000u;
      }
    }
    // pixman wants premultiplied pixels: its own copy of the source, premultiplied.
    premultiplied_.assign(size_t(source.RowStride()) * h, 0);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint32_t p = source.Row(y)[x], a = p >> 24;
        uint32_t q = a << 24;
        for (int shift = 0; shift < 24; shift += 8) q |= (((p >> shift) & 255) * a / 255) << shift;
        premultiplied_[size_t(y) * source.RowStride() + x] = q;
      }
    }
    pixmanSource = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, premultiplied_.data(),
                                            source.RowStride() * 4);
    pixmanDestination = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, destination.PixelData(),
                                                 destination.RowStride() * 4);
  }
  ~Images() {
    pixman_image_unref(pixmanSource);
    pixman_image_unref(pixmanDestination);
  }

 private:
  std::vector<uint32_t> premultiplied_;
};

void SetPixels(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
  state.counters["Mpixel/s"] = benchmark::Counter(
      double(state.iterations()) * state.range(0) * state.range(1) / 1e6,
      benchmark::Counter::kIsRate);
}

void Composite(benchmark::State& state, float alpha, int mode) {
  Images images(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) {
    PIX_Composite(&images.destination, &images.source, 0, 0, nullptr, alpha, mode);
    benchmark::ClobberMemory();
  }
  SetPixels(state);
}

void Pixman(benchmark::State& state, pixman_op_t op, bool halfMask) {
  Images images(int(state.range(0)), int(state.range(1)));
  const pixman_color_t half = {0x8080, 0x8080, 0x8080, 0x8080};
  pixman_image_t* mask = halfMask ? pixman_image_create_solid_fill(&half) : nullptr;
  const int w = int(state.range(0)), h = int(state.range(1));
  for (auto _ : state) {
    pixman_image_composite32(op, images.pixmanSource, mask, images.pixmanDestination, 0, 0, 0, 0,
                             0, 0, w, h);
    benchmark::ClobberMemory();
  }
  if (mask != nullptr) pixman_image_unref(mask);
  SetPixels(state);
}

void Fill(benchmark::State& state, float alpha) {
  Images images(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) {
    PIX_FillArea(&images.destination, 0, 0, int(state.range(0)), int(state.range(1)),
                 0xFF336699u, alpha, PIX_COMBINE_COPY);
    benchmark::ClobberMemory();
  }
  SetPixels(state);
}

void PixmanFill(benchmark::State& state) {
  Images images(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) {
    pixman_fill(images.destination.PixelData(), images.destination.RowStride(), 32, 0, 0,
                int(state.range(0)), int(state.range(1)), 0xFF336699u);
    benchmark::ClobberMemory();
  }
  SetPixels(state);
}

void Sizes(benchmark::internal::Benchmark* b) { b->Args({274, 438})->Args({1024, 1024}); }

BENCHMARK_CAPTURE(Composite, CopyOpaque, 1.0f, PIX_COMBINE_COPY)->Apply(Sizes);
BENCHMARK_CAPTURE(Pixman, Src, PIXMAN_OP_SRC, false)->Apply(Sizes);
BENCHMARK_CAPTURE(Composite, SourceAlphaFull, 1.0f, PIX_COMBINE_COPY | PIX_COMBINE_SOURCE_ALPHA)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(Pixman, Over, PIXMAN_OP_OVER, false)->Apply(Sizes);
BENCHMARK_CAPTURE(Composite, SourceAlphaHalf, 0.5f, PIX_COMBINE_COPY | PIX_COMBINE_SOURCE_ALPHA)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(Pixman, OverHalfMask, PIXMAN_OP_OVER, true)->Apply(Sizes);
BENCHMARK_CAPTURE(Composite, Add, 1.0f, PIX_COMBINE_ADD)->Apply(Sizes);
BENCHMARK_CAPTURE(Pixman, Add, PIXMAN_OP_ADD, false)->Apply(Sizes);
BENCHMARK_CAPTURE(Fill, CopyHalf, 0.5f)->Apply(Sizes);
BENCHMARK_CAPTURE(Fill, CopyOpaque, 1.0f)->Apply(Sizes);
BENCHMARK(PixmanFill)->Apply(Sizes);

}  // namespace
