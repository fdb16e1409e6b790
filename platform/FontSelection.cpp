#include "platform/FontSelection.h"

#include "platform/DeviceContext.h"

HFONT SelectObject(DeviceContext* dc, HFONT font) {
  if (dc == nullptr) return nullptr;
  return static_cast<HFONT>(dc->SelectFont(font));
}

FontFace* SelectedFontFace(const DeviceContext* dc) {
  if (dc == nullptr) return nullptr;
  auto* font = static_cast<FontFace*>(dc->SelectedFont());
  return font != nullptr ? font : FontFace::Default();
}

bool GetTextMetricsA(DeviceContext* dc, TEXTMETRICA* metrics) {
  FontFace* font = SelectedFontFace(dc);
  if (font == nullptr || metrics == nullptr) return false;
  *metrics = font->Metrics();
  return true;
}
