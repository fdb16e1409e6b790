#pragma once
// Process-wide state shared by every cached font: the scratch surface glyphs are rendered
// on, the surface native text is drawn on for targets without a device context, and the
// number of live fonts. The surfaces are made on first use and destroyed with the last
// font. Used on the user-interface thread only.

#include "raster/SysBitmap.h"

namespace glyph_cache {

// The scratch surface, at least size × size; when it has to be resized it is made
// exactly size × size and set to draw white text on an opaque black background.
// Null when it cannot be made.
PIX_SysBitmap* GlyphScratchSurface(int size);
// The native text surface, made 0 × 0 on first use. Null when it cannot be made.
PIX_SysBitmap* NativeTextSurface();
// True while the scratch surface exists (for the lifecycle of the shared state).
bool SurfacesExist();

void AddLiveFont();
// Destroys both surfaces when the last live font goes.
void RemoveLiveFont();
int LiveFontCount();

}  // namespace glyph_cache
