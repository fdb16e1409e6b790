// How long the audio thread waits for the plug-in mutex while Tessaly's editor window is
// dragged and redrawn. An audio thread processes 64-frame blocks at 48 kHz and times
// how long taking the mutex takes before each block; the host's user-interface thread
// meanwhile drags the faders and the knob through XTest and calls effEditIdle every
// 20 ms, which redraws at the editor's 25 frames per second. Reports the wait's median,
// 99th percentile and maximum, and the same of the idle calls. Needs an X display:
//   xvfb-run -a build/bench/bench_window_wait [SECONDS]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "effect/Tessaly.h"
#include "host/VstEntry.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kBlock = 64;
constexpr float kSampleRate = 48000.0f;
constexpr auto kIdlePeriod = std::chrono::milliseconds(20);
constexpr auto kOpening = std::chrono::milliseconds(100);

intptr_t Host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

IEffectVST* CreateTessaly(audioMasterCallback host) { return new Tessaly(host); }

intptr_t Dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr,
                  float opt = 0.0f) {
  return effect->dispatcher(effect, opcode, 0, value, ptr, opt);
}

struct Spread {
  double median;
  double p99;
  double max;
};

Spread SpreadOf(std::vector<double> microseconds) {
  if (microseconds.empty()) return {0, 0, 0};
  std::sort(microseconds.begin(), microseconds.end());
  const auto at = [&](double q) { return microseconds[static_cast<size_t>(q * (microseconds.size() - 1))]; };
  return {at(0.5), at(0.99), microseconds.back()};
}

double Microseconds(Clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

// Processes blocks on time and records each wait for the mutex.
void RunAudio(AEffect* effect, const std::atomic<bool>& running, std::vector<double>& waits) {
  std::vector<float> left(kBlock, 0.1f), right(kBlock, -0.1f);
  float* channels[2] = {left.data(), right.data()};
  IEffectMutex& mutex = static_cast<Tessaly*>(effect->object)->Mutex();
  const auto period = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(kBlock / double(kSampleRate)));
  Clock::time_point next = Clock::now();
  while (running) {
    next += period;
    std::this_thread::sleep_until(next);
    const Clock::time_point asked = Clock::now();
    std::lock_guard<IEffectMutex> lock(mutex);
    waits.push_back(Microseconds(Clock::now() - asked));
    effect->processReplacing(effect, channels, channels, kBlock);
  }
}

// The pointer's place at step of a drag that sweeps up and down along x.
int SweepY(int step, int top, int bottom) {
  const int span = bottom - top;
  const int phase = (step * 7) % (2 * span);
  return top + (phase < span ? phase : 2 * span - phase);
}
}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  Display* display = XOpenDisplay(nullptr);
  int event = 0, error = 0, major = 0, minor = 0;
  if (display == nullptr || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
    std::fprintf(stderr, "bench_window_wait: needs an X display with XTest (try xvfb-run -a)\n");
    return 1;
  }
  AEffect* effect = CreateVstEffect(Host, CreateTessaly);
  Dispatch(effect, effOpen);
  Dispatch(effect, effSetSampleRate, 0, nullptr, kSampleRate);
  Dispatch(effect, effSetBlockSize, kBlock);
  Dispatch(effect, effMainsChanged, 1);
  const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 274, 438, 0, 0, 0);
  XMapWindow(display, parent);
  XSync(display, False);
  if (Dispatch(effect, effEditOpen, 0, reinterpret_cast<void*>(parent)) != 1) {
    std::fprintf(stderr, "bench_window_wait: the editor did not open\n");
    return 1;
  }

  std::atomic<bool> running{true};
  std::vector<double> waits, idles;
  waits.reserve(static_cast<size_t>(seconds) * 48000 / kBlock + 1000);
  std::thread audio(RunAudio, effect, std::cref(running), std::ref(waits));
  // Drags alternate between the Mono fader, the knob and the Stereo fader.
  const int columns[] = {70, 137, 219};
  const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
  for (int step = 0; Clock::now() < end; ++step) {
    const int dragStep = step % 100;
    const int x = columns[(step / 100) % 3];
    XTestFakeMotionEvent(display, DefaultScreen(display), x, SweepY(dragStep, 120, 380), CurrentTime);
    if (dragStep == 0) XTestFakeButtonEvent(display, 1, True, CurrentTime);
    if (dragStep == 99) XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    const Clock::time_point started = Clock::now();
    Dispatch(effect, effEditIdle);
    idles.push_back(Microseconds(Clock::now() - started));
    std::this_thread::sleep_until(started + kIdlePeriod);
  }
  running = false;
  audio.join();
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  Dispatch(effect, effEditClose);
  Dispatch(effect, effClose);
  XDestroyWindow(display, parent);
  XCloseDisplay(display);

  // The first paint after opening also decodes the editor's images.
  const size_t openingBlocks = static_cast<size_t>(kOpening.count() * kSampleRate / 1000 / kBlock);
  const Spread wait = SpreadOf(waits), idle = SpreadOf(idles);
  const Spread dragging = SpreadOf(std::vector<double>(waits.begin() + std::min(openingBlocks, waits.size()), waits.end()));
  std::printf("audio blocks %zu, idle calls %zu over %d s\n", waits.size(), idles.size(), seconds);
  std::printf("audio wait for the mutex (us):    median %.1f  p99 %.1f  max %.1f\n", wait.median,
              wait.p99, wait.max);
  std::printf("  after the first %lld ms (us):    median %.1f  p99 %.1f  max %.1f\n",
              static_cast<long long>(kOpening.count()), dragging.median, dragging.p99, dragging.max);
  std::printf("effEditIdle duration (us):        median %.1f  p99 %.1f  max %.1f\n", idle.median,
              idle.p99, idle.max);
  return 0;
}
