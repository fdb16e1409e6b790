#pragma once
// Fonts in device contexts: selecting one, and reading the one a context draws with.

#include "platform/FontFace.h"

class DeviceContext;

// Selects a font into a device context and returns the one selected before (null for
// the default font). Does nothing and returns null for a null context.
HFONT SelectObject(DeviceContext* dc, HFONT font);
// Metrics of the font the context draws with; false for a null context or record.
bool GetTextMetricsA(DeviceContext* dc, TEXTMETRICA* metrics);
// The selected font, or the default font when none is selected. Null only when no font
// at all can be opened.
FontFace* SelectedFontFace(const DeviceContext* dc);
