#pragma once
// Operations on editor rectangles. A rectangle is empty exactly when all four values are
// zero; any other rectangle, even one with right <= left, is treated as an ordinary one.

#include "raster/Rectangle.h"

bool IsEmpty(const IRectangle& r);
int WidthOf(const IRectangle& r);
int HeightOf(const IRectangle& r);
// The middles are taken in single precision and truncated toward zero.
int MiddleX(const IRectangle& r);
int MiddleY(const IRectangle& r);

// b when a is empty, a when b is empty, otherwise the bounding rectangle of both.
IRectangle Union(const IRectangle& a, const IRectangle& b);
// The common part of a and b, or the empty rectangle. A rectangle whose right edge meets
// the other's left edge still intersects it (giving zero width); one whose left edge
// meets the other's right edge does not. Top and bottom follow the same rule.
IRectangle Intersection(const IRectangle& a, const IRectangle& b);
// Whether Intersection(a, b) would give a rectangle, by the same edge rules.
bool Intersects(const IRectangle& a, const IRectangle& b);
// Whether (x, y) lies inside r; an empty r contains no point.
bool Contains(const IRectangle& r, int x, int y);
