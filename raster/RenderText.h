#pragma once
// Text drawing of PIX_CachedFont: the glyph path lays cached glyphs out in lines and
// draws them with RenderGlyph; the native path lets the system draw the text, on the
// target's device context or on a scratch surface composited into the target.

// A target that answers this extension query with non-zero always gets the glyph path.
constexpr int PIX_GLYPH_PATH_EXTENSION = 0x59555678;

// Always false here: the system is never the Windows-compatibility layer.
bool IsRunningUnderWine();
