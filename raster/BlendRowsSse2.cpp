#include "raster/BlendRowsSse2.h"

#if defined(__x86_64__)
#include <emmintrin.h>

namespace pix {
namespace {

inline __m128i Load(const PIX_PixelValue* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void Store(PIX_PixelValue* p, __m128i v) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// s + div256((d - s) * keep) on 16-bit lanes, 0 <= keep <= 256: the product of |d - s| and
// keep fits 16 unsigned bits, and the sign goes back on after the shift so that the
// division truncates toward zero.
inline __m128i Lerp16(__m128i s, __m128i d, __m128i keep) {
  const __m128i diff = _mm_sub_epi16(d, s);
  const __m128i negative = _mm_srai_epi16(diff, 15);
  const __m128i magnitude = _mm_sub_epi16(_mm_xor_si128(diff, negative), negative);
  const __m128i quotient = _mm_srli_epi16(_mm_mullo_epi16(magnitude, keep), 8);
  return _mm_add_epi16(s, _mm_sub_epi16(_mm_xor_si128(quotient, negative), negative));
}

// The alpha lane of each pixel copied to its four lanes.
inline __m128i BroadcastAlpha16(__m128i v) {
  v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(3, 3, 3, 3));
  return _mm_shufflehi_epi16(v, _MM_SHUFFLE(3, 3, 3, 3));
}

int CopyRowWeightedSse2(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int keep) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i k = _mm_set1_epi16(static_cast<short>(keep));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i sv = Load(s + i), dv = Load(d + i);
    const __m128i lo = Lerp16(_mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(dv, zero), k);
    const __m128i hi = Lerp16(_mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(dv, zero), k);
    Store(d + i, _mm_packus_epi16(lo, hi));
  }
  return i;
}

// Two pixels on 16-bit lanes: colour lanes s + div256((d - s) * keep), alpha lane
// d + extra (saturated by the final pack).
inline __m128i SourceAlpha16(__m128i s, __m128i d, __m128i keep, __m128i extra) {
  const __m128i alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
  const __m128i colour = _mm_andnot_si128(alphaLanes, Lerp16(s, d, keep));
  return _mm_or_si128(colour, _mm_and_si128(alphaLanes, _mm_add_epi16(d, extra)));
}

// Pixels whose source alpha is 0 keep the destination.
inline __m128i KeepWhereTransparent(__m128i sv, __m128i dv, __m128i blended) {
  const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i transparent = _mm_cmpeq_epi32(_mm_and_si128(sv, alphaMask), _mm_setzero_si128());
  return _mm_or_si128(_mm_and_si128(transparent, dv), _mm_andnot_si128(transparent, blended));
}

// (s * sw + d * dw + (s > d ? 255 : 0)) >> 8 on 16-bit lanes. With sw + dw = 256 this is
// s + div256((d - s) * dw), truncated toward zero, and the sums fit 16 unsigned bits. With
// sw = dw = 256 the saturating adds give min(255, s + d).
inline __m128i Mix16(__m128i s, __m128i d, __m128i sw, __m128i dw) {
  const __m128i sum = _mm_adds_epu16(_mm_mullo_epi16(s, sw), _mm_mullo_epi16(d, dw));
  const __m128i bias = _mm_srli_epi16(_mm_cmpgt_epi16(s, d), 8);
  return _mm_srli_epi16(_mm_adds_epu16(sum, bias), 8);
}

// Full opacity: colour lanes weigh the source by alpha + 1 and the destination by
// 255 - alpha; the alpha lane adds both alphas.
inline __m128i SourceAlphaFull16(__m128i s, __m128i d) {
  const __m128i colourLanes = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
  const __m128i alpha = _mm_and_si128(BroadcastAlpha16(s), colourLanes);
  const __m128i sw = _mm_add_epi16(alpha, _mm_set_epi16(256, 1, 1, 1, 256, 1, 1, 1));
  const __m128i dw = _mm_sub_epi16(_mm_set_epi16(256, 255, 255, 255, 256, 255, 255, 255), alpha);
  return Mix16(s, d, sw, dw);
}

int CopyRowSourceAlphaFullSse2(PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i sv = Load(s + i);
    const __m128i alpha = _mm_and_si128(sv, alphaMask);
    const int opaque = _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, alphaMask));
    if (opaque == 0xFFFF) {  // all four opaque: the source pixels as they are
      Store(d + i, sv);
      continue;
    }
    if (opaque == 0 && _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xFFFF) continue;
    const __m128i dv = Load(d + i);
    const __m128i lo = SourceAlphaFull16(_mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(dv, zero));
    const __m128i hi = SourceAlphaFull16(_mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(dv, zero));
    Store(d + i, KeepWhereTransparent(sv, dv, _mm_packus_epi16(lo, hi)));
  }
  return i;
}

// Weights 0 < weight < 256: (alpha + 1) * weight fits 16 unsigned bits.
int CopyRowSourceAlphaSse2(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int weight) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i one = _mm_set1_epi16(1);
  const __m128i w = _mm_set1_epi16(static_cast<short>(weight));
  const __m128i full = _mm_set1_epi16(256);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i sv = Load(s + i), dv = Load(d + i);
    const __m128i slo = _mm_unpacklo_epi8(sv, zero), shi = _mm_unpackhi_epi8(sv, zero);
    const __m128i mlo =
        _mm_srli_epi16(_mm_mullo_epi16(_mm_add_epi16(BroadcastAlpha16(slo), one), w), 8);
    const __m128i mhi =
        _mm_srli_epi16(_mm_mullo_epi16(_mm_add_epi16(BroadcastAlpha16(shi), one), w), 8);
    const __m128i lo =
        SourceAlpha16(slo, _mm_unpacklo_epi8(dv, zero), _mm_sub_epi16(full, mlo), mlo);
    const __m128i hi =
        SourceAlpha16(shi, _mm_unpackhi_epi8(dv, zero), _mm_sub_epi16(full, mhi), mhi);
    Store(d + i, KeepWhereTransparent(sv, dv, _mm_packus_epi16(lo, hi)));
  }
  return i;
}

// Weights 0 < weight <= 256; the clamp is a saturating byte add.
int AddRowSse2(PIX_PixelValue* d, const PIX_PixelValue* s, int n, int weight) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i w = _mm_set1_epi16(static_cast<short>(weight));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    __m128i sv = Load(s + i);
    if (weight < 256) {
      const __m128i lo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(sv, zero), w), 8);
      const __m128i hi = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(sv, zero), w), 8);
      sv = _mm_packus_epi16(lo, hi);
    }
    Store(d + i, _mm_adds_epu8(Load(d + i), sv));
  }
  return i;
}

inline __m128i HalfBytesV(__m128i v) {
  return _mm_and_si128(_mm_srli_epi32(v, 1), _mm_set1_epi8(0x7F));
}
inline __m128i QuarterBytesV(__m128i v) {
  return _mm_and_si128(_mm_srli_epi32(v, 2), _mm_set1_epi8(0x3F));
}

int FillRowSolidSse2(PIX_PixelValue* d, int n, PIX_PixelValue colour) {
  const __m128i c = _mm_set1_epi32(static_cast<int>(colour));
  int i = 0;
  for (; i + 4 <= n; i += 4) Store(d + i, c);
  return i;
}

int HalfAverageRowSse2(PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    Store(d + i, _mm_add_epi32(HalfBytesV(Load(s + i)), HalfBytesV(Load(d + i))));
  }
  return i;
}

int FillRowShiftedSse2(PIX_PixelValue* d, int n, PIX_PixelValue term, bool half, bool quarter) {
  const __m128i t = _mm_set1_epi32(static_cast<int>(term));
  const __m128i halfMask = _mm_set1_epi32(half ? -1 : 0);
  const __m128i quarterMask = _mm_set1_epi32(quarter ? -1 : 0);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i dv = Load(d + i);
    const __m128i shifted = _mm_add_epi32(_mm_and_si128(halfMask, HalfBytesV(dv)),
                                          _mm_and_si128(quarterMask, QuarterBytesV(dv)));
    Store(d + i, _mm_add_epi32(t, shifted));
  }
  return i;
}

}  // namespace

int CopyRowSse2(PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i a = Load(s + i), b = Load(s + i + 4), c = Load(s + i + 8), e = Load(s + i + 12);
    Store(d + i, a);
    Store(d + i + 4, b);
    Store(d + i + 8, c);
    Store(d + i + 12, e);
  }
  for (; i + 4 <= n; i += 4) Store(d + i, Load(s + i));
  // The last four pixels, overlapping those before them: copying them twice does no harm.
  if (i < n && n >= 4) {
    Store(d + n - 4, Load(s + n - 4));
    i = n;
  }
  return i;
}

const VectorRowLoops kSse2RowLoops = {
    CopyRowWeightedSse2, CopyRowSourceAlphaFullSse2, CopyRowSourceAlphaSse2, AddRowSse2,
    HalfAverageRowSse2,  FillRowSolidSse2,           FillRowShiftedSse2,     CopyRowSse2,
};

}  // namespace pix
#endif
