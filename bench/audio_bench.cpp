// The audio path of the plug-in against two baselines measured in the same run: a
// hand-written float mid/side loop doing the same arithmetic, and a plain memcpy of the
// same bytes. Counters report nanoseconds per frame.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "effect/Tessaly.h"
#include "host/VstEntry.h"

namespace {
intptr_t SilentHost(AEffect*, int32_t, int32_t, intptr_t, void*, float) { return 0; }

IEffectVST* CreateTessaly(audioMasterCallback host) { return new Tessaly(host); }

// An opened, configured and active plug-in with the sides raised, as a host runs it.
class RunningPlugin {
 public:
  explicit RunningPlugin(int frames) : effect_(CreateVstEffect(SilentHost, CreateTessaly)) {
    Dispatch(effOpen);
    Dispatch(effSetSampleRate, 0, nullptr, 48000.0f);
    Dispatch(effSetBlockSize, frames);
    Dispatch(effMainsChanged, 1);
    char stereo[] = "3";
    effect_->dispatcher(effect_, effString2Parameter, Tessaly::kStereo, 0, stereo, 0.0f);
  }
  ~RunningPlugin() { Dispatch(effClose); }
  AEffect* operator->() { return effect_; }
  AEffect* get() { return effect_; }

 private:
  void Dispatch(int32_t opcode, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f) {
    effect_->dispatcher(effect_, opcode, 0, value, ptr, opt);
  }
  AEffect* effect_;
};

template <typename Sample>
struct StereoBuffers {
  explicit StereoBuffers(int frames) : inL(frames), inR(frames), outL(frames), outR(frames) {
    for (int i = 0; i < frames; ++i) {
      inL[i] = static_cast<Sample>(0.001 * (i % 100));
      inR[i] = static_cast<Sample>(-0.002 * (i % 50));
    }
    ins[0] = inL.data();
    ins[1] = inR.data();
    outs[0] = outL.data();
    outs[1] = outR.data();
  }
  std::vector<Sample> inL, inR, outL, outR;
  Sample* ins[2];
  Sample* outs[2];
};

void ReportPerFrame(benchmark::State& state, int frames) {
  state.SetItemsProcessed(state.iterations() * frames);
  state.counters["ns_per_frame"] = benchmark::Counter(
      static_cast<double>(state.iterations() * frames),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
      benchmark::Counter::kIs1000);
}

void BM_HostProcessFloat(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  RunningPlugin plugin(frames);
  StereoBuffers<float> buffers(frames);
  for (auto _ : state) {
    plugin->processReplacing(plugin.get(), buffers.ins, buffers.outs, frames);
    benchmark::DoNotOptimize(buffers.outL.data());
  }
  ReportPerFrame(state, frames);
}

void BM_HostProcessAccumulate(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  RunningPlugin plugin(frames);
  StereoBuffers<float> buffers(frames);
  for (auto _ : state) {
    plugin->process(plugin.get(), buffers.ins, buffers.outs, frames);
    benchmark::DoNotOptimize(buffers.outL.data());
  }
  ReportPerFrame(state, frames);
}

void BM_HostProcessDouble(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  RunningPlugin plugin(frames);
  StereoBuffers<double> buffers(frames);
  for (auto _ : state) {
    plugin->processDoubleReplacing(plugin.get(), buffers.ins, buffers.outs, frames);
    benchmark::DoNotOptimize(buffers.outL.data());
  }
  ReportPerFrame(state, frames);
}

// Baseline: the same mid/side arithmetic written directly on float buffers.
void BM_HandWrittenFloatLoop(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  StereoBuffers<float> buffers(frames);
  const float midGain = 0.5f, sideGain = 0.70627f, outputGain = 1.0f;
  for (auto _ : state) {
    const float* inL = buffers.ins[0];
    const float* inR = buffers.ins[1];
    float* outL = buffers.outs[0];
    float* outR = buffers.outs[1];
    for (int i = 0; i < frames; ++i) {
      const float side = (inL[i] - inR[i]) * sideGain;
      const float mid = (inL[i] + inR[i]) * midGain;
      outL[i] = (side + mid) * outputGain;
      outR[i] = (mid - side) * outputGain;
    }
    benchmark::DoNotOptimize(buffers.outL.data());
    benchmark::ClobberMemory();
  }
  ReportPerFrame(state, frames);
}

// Baseline: copying the same bytes.
void BM_Memcpy(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  StereoBuffers<float> buffers(frames);
  const size_t bytes = static_cast<size_t>(frames) * sizeof(float);
  for (auto _ : state) {
    std::memcpy(buffers.outs[0], buffers.ins[0], bytes);
    std::memcpy(buffers.outs[1], buffers.ins[1], bytes);
    benchmark::DoNotOptimize(buffers.outL.data());
    benchmark::ClobberMemory();
  }
  ReportPerFrame(state, frames);
}
}  // namespace

BENCHMARK(BM_HostProcessFloat)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_HostProcessAccumulate)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_HostProcessDouble)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_HandWrittenFloatLoop)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_Memcpy)->Arg(32)->Arg(512)->Arg(4096);
