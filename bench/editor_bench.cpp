// Redrawing Tessaly's editor into its surface, against the least any full redraw must do:
// one opaque composite of a whole 274 x 438 image into the surface, measured in the same
// run. Counters report microseconds per pass.

#include <benchmark/benchmark.h>

#include "effect/Tessaly.h"
#include "gui/Graphics.h"
#include "host/VstEntry.h"
#include "raster/Composite.h"
#include "raster/MemBitmap.h"

namespace {
intptr_t SilentHost(AEffect*, int32_t, int32_t, intptr_t, void*, float) { return 0; }

IEffectVST* CreateTessaly(audioMasterCallback host) { return new Tessaly(host); }

// An opened plug-in and its editor, drawn once so that every control is clean.
class OpenEditor {
 public:
  OpenEditor() : effect_(CreateVstEffect(SilentHost, CreateTessaly)) {
    effect_->dispatcher(effect_, effOpen, 0, 0, nullptr, 0.0f);
    graphics_ = dynamic_cast<IGraphics*>(static_cast<Tessaly*>(effect_->object)->Editor());
    DrawDirty();
    DrawDirty();
  }
  ~OpenEditor() { effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f); }

  AEffect* Effect() { return effect_; }
  IGraphics& Graphics() { return *graphics_; }
  // One redraw pass over whatever changed, as a timer tick runs it.
  void DrawDirty() {
    IRectangle area{0, 0, 0, 0};
    if (graphics_->FindDirtyArea(area)) graphics_->RedrawArea(area);
  }

 private:
  AEffect* effect_;
  IGraphics* graphics_;
};

void ReportPerPass(benchmark::State& state) {
  state.counters["us_per_pass"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 1e-6,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Baseline_OpaqueCompositeOfTheWholeSurface(benchmark::State& state) {
  OpenEditor editor;
  PIX_MemBitmap image(274, 438);
  for (auto _ : state) {
    PIX_Composite(editor.Graphics().Surface(), &image, 0, 0, nullptr, 1.0f, 0);
    benchmark::ClobberMemory();
  }
  ReportPerPass(state);
}
BENCHMARK(BM_Baseline_OpaqueCompositeOfTheWholeSurface);

void BM_FullRedraw(benchmark::State& state) {
  OpenEditor editor;
  const IRectangle all{0, 0, 274, 438};
  for (auto _ : state) {
    editor.Graphics().RedrawArea(all);
    benchmark::ClobberMemory();
  }
  ReportPerPass(state);
}
BENCHMARK(BM_FullRedraw);

// The host moves Gain by one step of a knob; the pass draws what that changed.
void BM_KnobStep(benchmark::State& state) {
  OpenEditor editor;
  AEffect* effect = editor.Effect();
  int step = 0;
  for (auto _ : state) {
    effect->setParameter(effect, Tessaly::kGain, 0.3f + 0.01f * static_cast<float>(step++ % 20));
    editor.DrawDirty();
    benchmark::ClobberMemory();
  }
  ReportPerPass(state);
}
BENCHMARK(BM_KnobStep);
}  // namespace
