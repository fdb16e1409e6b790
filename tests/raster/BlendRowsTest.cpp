#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "RasterTestUtil.h"
#include "raster/BlendRows.h"

using namespace rtest;
using pix::VectorLoops;

namespace {

using Row = std::function<void(PIX_PixelValue* d, const PIX_PixelValue* s, int n)>;

// 65536 pixels in which blue meets every (s, d) pair: the source's blue is p & 255, the
// destination's p >> 8. Source alpha comes in runs longer than a vector that are all
// opaque or all transparent, runs mixing the two, and varied values.
PIX_PixelValue SourceAt(int p) {
  const int x = p & 255, y = p >> 8;
  const int alpha = y % 8 == 0   ? 255
                    : y % 8 == 1 ? 0
                    : y % 8 == 2 ? (x & 4) * 255 / 4
                                 : x * 3 + y * 5;
  return Px(x, 255 - x, x ^ y, alpha);
}
PIX_PixelValue DestinationAt(int p) {
  const int x = p & 255, y = p >> 8;
  return Px(y, x * 7, y ^ 0x5A, x + 2 * y);
}

// Calls row over the pixels in rows of 1 to 40 pixels, in turn: shorter than a vector,
// whole vectors and ragged ends, starting at every alignment.
void InRows(std::vector<PIX_PixelValue>& d, const std::vector<PIX_PixelValue>& s, const Row& row) {
  int length = 1;
  for (size_t start = 0; start < d.size(); start += length, length = length % 40 + 1) {
    row(d.data() + start, s.data() + start, int(std::min<size_t>(length, d.size() - start)));
  }
}

// The row function in rows must give what it gives one pixel at a time, which is the plain
// per-pixel code: a single pixel is shorter than any vector.
void ExpectSameAsPerPixel(const std::string& name, const Row& row) {
  std::vector<PIX_PixelValue> s(65536), d(65536);
  for (int p = 0; p < 65536; ++p) s[p] = SourceAt(p), d[p] = DestinationAt(p);
  std::vector<PIX_PixelValue> expected = d;
  for (size_t i = 0; i < d.size(); ++i) row(&expected[i], &s[i], 1);
  InRows(d, s, row);
  const size_t at = std::mismatch(d.begin(), d.end(), expected.begin()).first - d.begin();
  if (at < d.size()) {
    ADD_FAILURE() << name << " at pixel " << at << ": " << std::hex << d[at] << " expected "
                  << expected[at] << " (source " << s[at] << ", destination "
                  << DestinationAt(int(at)) << ")";
  }
}

class BlendRowsTest : public testing::TestWithParam<VectorLoops> {
 protected:
  void SetUp() override {
    if (!pix::UseVectorLoops(GetParam())) GTEST_SKIP() << "the processor lacks these loops";
  }
  void TearDown() override { pix::UseVectorLoops(VectorLoops::kWidest); }
};

TEST_P(BlendRowsTest, BlendsMatchThePlainCodeForAllPairs) {
  ExpectSameAsPerPixel("source alpha, full", pix::CopyRowSourceAlphaFull);
  ExpectSameAsPerPixel("half average", pix::HalfAverageRow);
  ExpectSameAsPerPixel("copy", pix::CopyRow);
  for (int keep : {0, 1, 127, 128, 255, 256}) {
    ExpectSameAsPerPixel("weighted copy, keep " + std::to_string(keep),
                         [=](PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
                           pix::CopyRowWeighted(d, s, n, keep);
                         });
  }
  for (int weight : {1, 77, 128, 255}) {
    ExpectSameAsPerPixel("source alpha, weight " + std::to_string(weight),
                         [=](PIX_PixelValue* d, const PIX_PixelValue* s, int n) {
                           pix::CopyRowSourceAlpha(d, s, n, weight);
                         });
  }
  for (int weight : {1, 100, 255, 256}) {
    ExpectSameAsPerPixel(
        "add, weight " + std::to_string(weight),
        [=](PIX_PixelValue* d, const PIX_PixelValue* s, int n) { pix::AddRow(d, s, n, weight); });
  }
}

// The shifted fills as PIX_FillArea uses them: every byte sum stays below 256.
TEST_P(BlendRowsTest, FillsMatchThePlainCode) {
  const PIX_PixelValue colour = Px(0x99, 0x66, 0x33, 0xFF);
  const PIX_PixelValue half = (colour >> 1) & 0x7F7F7F7F, quarter = (colour >> 2) & 0x3F3F3F3F;
  const struct {
    PIX_PixelValue term;
    bool half, quarter;
  } shifted[] = {{half, true, false}, {quarter, true, true}, {half + quarter, false, true}};
  ExpectSameAsPerPixel("solid", [=](PIX_PixelValue* d, const PIX_PixelValue*, int n) {
    pix::FillRowSolid(d, n, colour);
  });
  for (const auto& f : shifted) {
    ExpectSameAsPerPixel("shifted " + std::to_string(f.half) + std::to_string(f.quarter),
                         [=](PIX_PixelValue* d, const PIX_PixelValue*, int n) {
                           pix::FillRowShifted(d, n, f.term, f.half, f.quarter);
                         });
  }
}

// A bitmap copied onto itself a few pixels along: the row moves as a whole, either way.
TEST_P(BlendRowsTest, CopyOfOverlappingRowsMovesTheRow) {
  for (int offset : {-9, -4, -1, 1, 3, 8, 13}) {
    std::vector<PIX_PixelValue> row(200), expected(200);
    for (int i = 0; i < 200; ++i) row[i] = DestinationAt(i * 97);
    expected = row;
    PIX_PixelValue* d = row.data() + 50 + offset;
    const PIX_PixelValue* s = row.data() + 50;
    std::memmove(expected.data() + 50 + offset, expected.data() + 50, 100 * sizeof(PIX_PixelValue));
    pix::CopyRow(d, s, 100);
    EXPECT_EQ(row, expected) << "offset " << offset;
  }
}

INSTANTIATE_TEST_SUITE_P(InstructionSets, BlendRowsTest,
                         testing::Values(VectorLoops::kSse2, VectorLoops::kAvx2),
                         [](const testing::TestParamInfo<VectorLoops>& info) {
                           return info.param == VectorLoops::kSse2 ? "Sse2" : "Avx2";
                         });

}  // namespace
