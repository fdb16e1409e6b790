#include "gui/RectangleOps.h"

#include <algorithm>
#include <cstdint>

#include "core/SafeNumbers.h"

namespace {
constexpr IRectangle kEmpty{0, 0, 0, 0};

// a - b without overflow, limited to the int range.
int Span(int32_t a, int32_t b) {
  return static_cast<int>(std::clamp<int64_t>(int64_t{a} - b, INT32_MIN, INT32_MAX));
}

int Middle(int32_t a, int32_t b) {
  return TruncateToInt(static_cast<float>(int64_t{a} + b) * 0.5f);
}
}  // namespace

bool IsEmpty(const IRectangle& r) {
  return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
}

int WidthOf(const IRectangle& r) { return Span(r.right, r.left); }
int HeightOf(const IRectangle& r) { return Span(r.bottom, r.top); }
int MiddleX(const IRectangle& r) { return Middle(r.left, r.right); }
int MiddleY(const IRectangle& r) { return Middle(r.top, r.bottom); }

IRectangle Union(const IRectangle& a, const IRectangle& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool Intersects(const IRectangle& a, const IRectangle& b) {
  if (IsEmpty(a) || IsEmpty(b)) return false;
  return a.right >= b.left && a.left < b.right && a.bottom >= b.top && a.top < b.bottom;
}

IRectangle Intersection(const IRectangle& a, const IRectangle& b) {
  if (!Intersects(a, b)) return kEmpty;
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

bool Contains(const IRectangle& r, int x, int y) {
  if (IsEmpty(r)) return false;
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}
