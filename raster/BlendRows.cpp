#include "raster/BlendRows.h"

#include <atomic>
#include <cstdint>
#include <cstring>

#include "raster/BlendMath.h"
#include "raster/BlendRowsAvx2.h"
#include "raster/BlendRowsSse2.h"

namespace pix {
namespace {

PIX_PixelValue CopyPixelWeighted(PIX_PixelValue d, PIX_PixelValue s, int keep) {
  return MakePixel(LerpChannel(Blue(s), Blue(d), keep), LerpChannel(Green(s), Green(d), keep),
                   LerpChannel(Red(s), Red(d), keep), LerpChannel(Alpha(s), Alpha(d), keep));
}

// Colour channels move from d toward s by keep; the destination alpha accumulates extra.
PIX_PixelValue SourceAlphaPixel(PIX_PixelValue d, PIX_PixelValue s, int keep, int extra) {
  const int alpha = Alpha(d) + extra;
  return MakePixel(LerpChannel(Blue(s), Blue(d), keep), LerpChannel(Green(s), Green(d), keep),
                   LerpChannel(Red(s), Red(d), keep), alpha < 255 ? alpha : 255);
}

PIX_PixelValue AddPixel(PIX_PixelValue d, PIX_PixelValue s, int weight) {
  return MakePixel(AddChannel(Blue(d), AddTerm(Blue(s), weight)),
                   AddChannel(Green(d), AddTerm(Green(s), weight)),
                   AddChannel(Red(d), AddTerm(Red(s), weight)),
                   AddChannel(Alpha(d), AddTerm(Alpha(s), weight)));
}

PIX_PixelValue SourceAlphaFullPixel(PIX_PixelValue d, PIX_PixelValue s) {
  const int sa = Alpha(s);
  return SourceAlphaPixel(d, s, 255 - sa, sa);
}

PIX_PixelValue SourceAlphaWeightedPixel(PIX_PixelValue d, PIX_PixelValue s, int weight) {
  const int m = Div256((Alpha(s) + 1) * weight);
  return SourceAlphaPixel(d, s, 256 - m, m);
}

const VectorRowLoops* LoopsOf(VectorLoops set) {
#if defined(__x86_64__)
  __builtin_cpu_init();  // this may run before the detection's own initialiser
  const bool avx2 = __builtin_cpu_supports("avx2");
  switch (set) {
    case VectorLoops::kSse2:
      return &kSse2RowLoops;
    case VectorLoops::kAvx2:
      return avx2 ? &kAvx2RowLoops : nullptr;
    case VectorLoops::kWidest:
      return avx2 ? &kAvx2RowLoops : &kSse2RowLoops;
  }
#endif
  (void)set;
  return nullptr;
}

// The loops in use, chosen at start-up; null (as before static initialisation) means plain
// code only, which gives the same bytes.
std::atomic<const VectorRowLoops*> active{LoopsOf(VectorLoops::kWidest)};

// Runs the active vector loop over a prefix of the row (perhaps all of it); returns how many
// pixels it did.
template <typename Loop, typename... Args>
int VectorPrefix(Loop VectorRowLoops::*loop, Args... args) {
  const VectorRowLoops* loops = active.load(std::memory_order_relaxed);
  return loops != nullptr ? (loops->*loop)(args...) : 0;
}

// True when the n pixels at d and those at s share memory.
bool Overlap(const PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
  const uintptr_t a = reinterpret_cast<uintptr_t>(d), b = reinterpret_cast<uintptr_t>(s);
  return (a > b ? a - b : b - a) < uintptr_t(n) * sizeof(PIX_PixelValue);
}

}  // namespace

bool UseVectorLoops(VectorLoops set) {
  const VectorRowLoops* loops = LoopsOf(set);
  if (loops != nullptr) active.store(loops, std::memory_order_relaxed);
  return loops != nullptr;
}

void CopyRow(PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
  if (n <= 0) return;
  if (Overlap(d, s, n)) {
    std::memmove(d, s, size_t(n) * sizeof(PIX_PixelValue));
    return;
  }
  for (int i = VectorPrefix(&VectorRowLoops::copy, d, s, n); i < n; ++i) d[i] = s[i];
}

void CopyRowWeighted(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int keep) {
  int i = keep >= 0 && keep <= 256 ? VectorPrefix(&VectorRowLoops::copyWeighted, d, s, n, keep) : 0;
  for (; i < n; ++i) d[i] = CopyPixelWeighted(d[i], s[i], keep);
}

void CopyRowSourceAlphaFull(PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
  for (int i = VectorPrefix(&VectorRowLoops::sourceAlphaFull, d, s, n); i < n; ++i) {
    if (Alpha(s[i]) != 0) d[i] = SourceAlphaFullPixel(d[i], s[i]);
  }
}

void CopyRowSourceAlpha(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int weight) {
  int i =
      weight > 0 && weight < 256 ? VectorPrefix(&VectorRowLoops::sourceAlpha, d, s, n, weight) : 0;
  for (; i < n; ++i) {
    if (Alpha(s[i]) != 0) d[i] = SourceAlphaWeightedPixel(d[i], s[i], weight);
  }
}

void AddRow(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int weight) {
  int i = weight > 0 && weight <= 256 ? VectorPrefix(&VectorRowLoops::add, d, s, n, weight) : 0;
  for (; i < n; ++i) d[i] = AddPixel(d[i], s[i], weight);
}

void HalfAverageRow(PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
  for (int i = VectorPrefix(&VectorRowLoops::halfAverage, d, s, n); i < n; ++i) {
    d[i] = HalfBytes(s[i]) + HalfBytes(d[i]);
  }
}

void FillRowSolid(PIX_PixelValue* d, int n, PIX_PixelValue colour) {
  for (int i = VectorPrefix(&VectorRowLoops::fillSolid, d, n, colour); i < n; ++i) d[i] = colour;
}

void FillRowShifted(PIX_PixelValue* d, int n, PIX_PixelValue term, bool half, bool quarter) {
  for (int i = VectorPrefix(&VectorRowLoops::fillShifted, d, n, term, half, quarter); i < n; ++i) {
    d[i] = term + (half ? HalfBytes(d[i]) : 0) + (quarter ? QuarterBytes(d[i]) : 0);
  }
}

}  // namespace pix
