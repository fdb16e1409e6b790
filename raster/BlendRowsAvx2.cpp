#include "raster/BlendRowsAvx2.h"

#include "raster/BlendRowsSse2.h"

#if defined(__x86_64__)
#include <immintrin.h>

// Only these functions use AVX2, so the rest of the module runs on any x86-64 processor.
#define TARGET_AVX2 __attribute__((target("avx2")))

namespace pix {
namespace {

TARGET_AVX2 inline __m256i Load(const PIX_PixelValue* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
TARGET_AVX2 inline void Store(PIX_PixelValue* p, __m256i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// Unpacking and packing work within each 128-bit half, so pixels keep their places.
TARGET_AVX2 inline __m256i Low16(__m256i v) {
  return _mm256_unpacklo_epi8(v, _mm256_setzero_si256());
}
TARGET_AVX2 inline __m256i High16(__m256i v) {
  return _mm256_unpackhi_epi8(v, _mm256_setzero_si256());
}

// Each pixel's alpha as 16-bit lanes, for the two pixels of each half that Low16 (alpha
// bytes 3 and 7) or High16 (11 and 15) unpacks: in the colour lanes, and in the alpha lane
// too or 0 there. Index -1 picks 0.
TARGET_AVX2 inline __m256i SpreadAlpha16(__m256i v, char first, char second, bool alphaLane) {
  const char a = alphaLane ? first : -1, b = alphaLane ? second : -1;
  const __m256i pattern = _mm256_setr_epi8(
      first, -1, first, -1, first, -1, a, -1, second, -1, second, -1, second, -1, b, -1, first, -1,
      first, -1, first, -1, a, -1, second, -1, second, -1, second, -1, b, -1);
  return _mm256_shuffle_epi8(v, pattern);
}

// (s * sw + d * dw + (s > d ? 255 : 0)) >> 8 on 16-bit lanes. With sw + dw = 256 this is
// s + div256((d - s) * dw), truncated toward zero, and the sums fit 16 unsigned bits. With
// sw = dw = 256 the saturating adds give min(255, s + d).
TARGET_AVX2 inline __m256i Mix16(__m256i s, __m256i d, __m256i sw, __m256i dw) {
  const __m256i sum = _mm256_adds_epu16(_mm256_mullo_epi16(s, sw), _mm256_mullo_epi16(d, dw));
  const __m256i bias = _mm256_srli_epi16(_mm256_cmpgt_epi16(s, d), 8);
  return _mm256_srli_epi16(_mm256_adds_epu16(sum, bias), 8);
}

// Pixels whose source alpha is 0 keep the destination.
TARGET_AVX2 inline __m256i KeepWhereTransparent(__m256i sv, __m256i dv, __m256i blended) {
  const __m256i alpha = _mm256_and_si256(sv, _mm256_set1_epi32(int(0xFF000000u)));
  const __m256i transparent = _mm256_cmpeq_epi32(alpha, _mm256_setzero_si256());
  return _mm256_blendv_epi8(blended, dv, transparent);
}

TARGET_AVX2 inline bool AllTransparent(__m256i sv) {
  return _mm256_testz_si256(sv, _mm256_set1_epi32(int(0xFF000000u)));
}
TARGET_AVX2 inline bool AllOpaque(__m256i sv) {
  return _mm256_testc_si256(sv, _mm256_set1_epi32(int(0xFF000000u)));
}

// Runs op(source vector, destination vector) over the row and stores what it returns. A
// row that does not end on a whole vector ends with one more vector overlapping the one
// before it; that vector is computed from the pixels as they were before the loop, so the
// overlapped pixels are written again with the same values. Rows of eight pixels or more
// are done whole; shorter ones are left to the plain code.
template <typename Op>
TARGET_AVX2 inline int EachVector(PIX_PixelValue* d, const PIX_PixelValue* s, int n, Op op) {
  if (n < 8) return 0;
  const int last = n - 8;
  const __m256i lastValue = op(Load(s + last), Load(d + last));
  for (int i = 0; i < last; i += 8) Store(d + i, op(Load(s + i), Load(d + i)));
  Store(d + last, lastValue);
  return n;
}

// Four channels weighted alike: sw = 256 - keep, dw = keep.
struct CopyWeighted {
  __m256i sw, dw;
  TARGET_AVX2 explicit CopyWeighted(int keep)
      : sw(_mm256_set1_epi16(short(256 - keep))), dw(_mm256_set1_epi16(short(keep))) {}
  TARGET_AVX2 __m256i operator()(__m256i sv, __m256i dv) const {
    return _mm256_packus_epi16(Mix16(Low16(sv), Low16(dv), sw, dw),
                               Mix16(High16(sv), High16(dv), sw, dw));
  }
};

// Full opacity: colour lanes weigh the source by alpha + 1 and the destination by
// 255 - alpha; the alpha lane adds both alphas.
TARGET_AVX2 inline __m256i SourceAlphaFull16(__m256i s, __m256i d, __m256i alpha) {
  const __m256i sw = _mm256_add_epi16(alpha, _mm256_set1_epi64x(0x0100000100010001));
  const __m256i dw = _mm256_sub_epi16(_mm256_set1_epi64x(0x010000FF00FF00FF), alpha);
  return Mix16(s, d, sw, dw);
}

struct SourceAlphaFull {
  TARGET_AVX2 __m256i operator()(__m256i sv, __m256i dv) const {
    if (AllTransparent(sv)) return dv;
    if (AllOpaque(sv)) return sv;
    const __m256i lo = SourceAlphaFull16(Low16(sv), Low16(dv), SpreadAlpha16(sv, 3, 7, false));
    const __m256i hi = SourceAlphaFull16(High16(sv), High16(dv), SpreadAlpha16(sv, 11, 15, false));
    return KeepWhereTransparent(sv, dv, _mm256_packus_epi16(lo, hi));
  }
};

// Weight m = div256((alpha + 1) * weight) in every lane: colour lanes mix with m and
// 256 - m; the alpha lane adds m to the destination alpha (as a source of m weighted 256).
TARGET_AVX2 inline __m256i SourceAlpha16(__m256i s, __m256i d, __m256i alpha, __m256i w) {
  const __m256i full = _mm256_set1_epi16(256);
  const __m256i m =
      _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_add_epi16(alpha, _mm256_set1_epi16(1)), w), 8);
  const __m256i sw = _mm256_blend_epi16(m, full, 0x88);
  const __m256i dw = _mm256_blend_epi16(_mm256_sub_epi16(full, m), full, 0x88);
  return Mix16(_mm256_blend_epi16(s, m, 0x88), d, sw, dw);
}

// Weights 0 < weight < 256: (alpha + 1) * weight fits 16 unsigned bits.
struct SourceAlpha {
  __m256i w;
  TARGET_AVX2 explicit SourceAlpha(int weight) : w(_mm256_set1_epi16(short(weight))) {}
  TARGET_AVX2 __m256i operator()(__m256i sv, __m256i dv) const {
    if (AllTransparent(sv)) return dv;
    const __m256i lo = SourceAlpha16(Low16(sv), Low16(dv), SpreadAlpha16(sv, 3, 7, true), w);
    const __m256i hi = SourceAlpha16(High16(sv), High16(dv), SpreadAlpha16(sv, 11, 15, true), w);
    return KeepWhereTransparent(sv, dv, _mm256_packus_epi16(lo, hi));
  }
};

// The clamp is a saturating byte add.
struct AddFull {
  TARGET_AVX2 __m256i operator()(__m256i sv, __m256i dv) const { return _mm256_adds_epu8(dv, sv); }
};

// Weights 0 < weight < 256.
struct AddWeighted {
  __m256i w;
  TARGET_AVX2 explicit AddWeighted(int weight) : w(_mm256_set1_epi16(short(weight))) {}
  TARGET_AVX2 __m256i operator()(__m256i sv, __m256i dv) const {
    const __m256i lo = _mm256_srli_epi16(_mm256_mullo_epi16(Low16(sv), w), 8);
    const __m256i hi = _mm256_srli_epi16(_mm256_mullo_epi16(High16(sv), w), 8);
    return _mm256_adds_epu8(dv, _mm256_packus_epi16(lo, hi));
  }
};

TARGET_AVX2 inline __m256i HalfBytesV(__m256i v) {
  return _mm256_and_si256(_mm256_srli_epi32(v, 1), _mm256_set1_epi8(0x7F));
}
TARGET_AVX2 inline __m256i QuarterBytesV(__m256i v) {
  return _mm256_and_si256(_mm256_srli_epi32(v, 2), _mm256_set1_epi8(0x3F));
}

struct HalfAverage {
  TARGET_AVX2 __m256i operator()(__m256i sv, __m256i dv) const {
    return _mm256_add_epi32(HalfBytesV(sv), HalfBytesV(dv));
  }
};

// The fills ignore the source vector; their rows pass the destination as the source.
struct FillSolid {
  __m256i c;
  TARGET_AVX2 explicit FillSolid(PIX_PixelValue colour) : c(_mm256_set1_epi32(int(colour))) {}
  TARGET_AVX2 __m256i operator()(__m256i, __m256i) const { return c; }
};

struct FillShifted {
  __m256i t, halfMask, quarterMask;
  TARGET_AVX2 FillShifted(PIX_PixelValue term, bool half, bool quarter)
      : t(_mm256_set1_epi32(int(term))),
        halfMask(_mm256_set1_epi32(half ? -1 : 0)),
        quarterMask(_mm256_set1_epi32(quarter ? -1 : 0)) {}
  TARGET_AVX2 __m256i operator()(__m256i, __m256i dv) const {
    const __m256i shifted = _mm256_add_epi32(_mm256_and_si256(halfMask, HalfBytesV(dv)),
                                             _mm256_and_si256(quarterMask, QuarterBytesV(dv)));
    return _mm256_add_epi32(t, shifted);
  }
};

TARGET_AVX2 int CopyRowWeightedAvx2(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int keep) {
  return EachVector(d, s, n, CopyWeighted(keep));
}
TARGET_AVX2 int CopyRowSourceAlphaFullAvx2(PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
  return EachVector(d, s, n, SourceAlphaFull());
}
TARGET_AVX2 int CopyRowSourceAlphaAvx2(PIX_PixelValue* d, const PIX_PixelValue* s, int n,
                                       int weight) {
  return EachVector(d, s, n, SourceAlpha(weight));
}
TARGET_AVX2 int AddRowAvx2(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int weight) {
  return weight == 256 ? EachVector(d, s, n, AddFull()) : EachVector(d, s, n, AddWeighted(weight));
}
TARGET_AVX2 int HalfAverageRowAvx2(PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
  return EachVector(d, s, n, HalfAverage());
}
TARGET_AVX2 int FillRowSolidAvx2(PIX_PixelValue* d, int n, PIX_PixelValue colour) {
  return EachVector(d, d, n, FillSolid(colour));
}
TARGET_AVX2 int FillRowShiftedAvx2(PIX_PixelValue* d, int n, PIX_PixelValue term, bool half,
                                   bool quarter) {
  return EachVector(d, d, n, FillShifted(term, half, quarter));
}

}  // namespace

const VectorRowLoops kAvx2RowLoops = {
    CopyRowWeightedAvx2, CopyRowSourceAlphaFullAvx2, CopyRowSourceAlphaAvx2, AddRowAvx2,
    HalfAverageRowAvx2,  FillRowSolidAvx2,           FillRowShiftedAvx2,     CopyRowSse2,
};

}  // namespace pix
#endif
