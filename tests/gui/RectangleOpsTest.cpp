#include <gtest/gtest.h>

#include "gui/RectangleOps.h"
#include "gui/TestGraphics.h"

namespace guitest {
namespace {

constexpr IRectangle kEmpty{0, 0, 0, 0};

struct PairCase {
  IRectangle a, b, intersection;
  bool intersects;
};

TEST(RectangleOps, IntersectionKeepsTheTouchingEdgeOnlyOnTheFirstRectanglesFarSide) {
  const PairCase cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, true},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {10, 0, 10, 10}, true},  // a.right == b.left
      {{10, 0, 20, 10}, {0, 0, 10, 10}, kEmpty, false},          // a.left == b.right
      {{0, 0, 10, 10}, {0, 10, 10, 20}, {0, 10, 10, 10}, true},  // a.bottom == b.top
      {{0, 10, 10, 20}, {0, 0, 10, 10}, kEmpty, false},          // a.top == b.bottom
      {{0, 0, 10, 10}, {11, 0, 20, 10}, kEmpty, false},
      {{0, 0, 10, 10}, kEmpty, kEmpty, false},
      {kEmpty, {0, 0, 10, 10}, kEmpty, false},
      {{-5, -5, 5, 5}, {0, 0, 1, 1}, {0, 0, 1, 1}, true},
  };
  for (const PairCase& c : cases) {
    const IRectangle r = Intersection(c.a, c.b);
    EXPECT_TRUE(Same(r, c.intersection)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    EXPECT_EQ(Intersects(c.a, c.b), c.intersects) << c.a.left << "," << c.b.left;
  }
}

TEST(RectangleOps, UnionSkipsEmptyRectangles) {
  const IRectangle a{10, 20, 30, 40}, b{0, 25, 15, 50};
  EXPECT_TRUE(Same(Union(kEmpty, a), a));
  EXPECT_TRUE(Same(Union(a, kEmpty), a));
  EXPECT_TRUE(Same(Union(kEmpty, kEmpty), kEmpty));
  EXPECT_TRUE(Same(Union(a, b), {0, 20, 30, 50}));
  // Only all four zero is empty: a degenerate rectangle at the origin still counts.
  EXPECT_TRUE(Same(Union({0, 0, 0, 1}, a), {0, 0, 30, 40}));
}

TEST(RectangleOps, ContainsExcludesRightAndBottomAndEverythingForTheEmptyRectangle) {
  EXPECT_FALSE(Contains(kEmpty, 0, 0));
  EXPECT_TRUE(Contains({0, 0, 1, 1}, 0, 0));
  EXPECT_FALSE(Contains({0, 0, 1, 1}, 1, 0));
  EXPECT_FALSE(Contains({0, 0, 1, 1}, 0, 1));
  EXPECT_TRUE(Contains({-4, -4, 4, 4}, -4, 3));
}

TEST(RectangleOps, MiddlesTruncateTowardZero) {
  EXPECT_EQ(MiddleX({48, 0, 92, 0}), 70);
  EXPECT_EQ(MiddleY({0, 106, 0, 393}), 249);
  EXPECT_EQ(MiddleX({-5, 0, 0, 0}), -2);
  EXPECT_EQ(WidthOf({INT32_MIN, 0, INT32_MAX, 0}), INT32_MAX);
}

}  // namespace
}  // namespace guitest
