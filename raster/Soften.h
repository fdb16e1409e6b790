#pragma once
// Softens the region of the given size at (0, 0) of a bitmap in place with a 3 x 3 kernel
// (centre 1/2, the four direct neighbours share the other half). Regions narrower or lower
// than 2 pixels are left alone.

#include "raster/Bitmap.h"

void PIX_Soften(PIX_IBitmap* bitmap, int width, int height);
