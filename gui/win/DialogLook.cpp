#include "gui/win/DialogLook.h"

#include "platform/TextDraw.h"
#include "raster/CachedFont.h"
#include "raster/FillArea.h"

namespace {
constexpr int kMinimumRow = 12;

PIX_PixelValue Halfway(PIX_PixelValue a, PIX_PixelValue b) {
  return (((a >> 1) & 0x7F7F7F7F) + ((b >> 1) & 0x7F7F7F7F)) | 0xFF000000;
}
}  // namespace

PIX_PixelValue DialogLook::Greyed() const { return Halfway(ground, text); }

int DialogLook::RowHeight() const {
  const int row = font != nullptr ? font->RowHeight() : 0;
  return row > kMinimumRow ? row : kMinimumRow;
}

int DialogLook::TextWidth(PIX_IBitmap& scratch, const char* text) const {
  if (font == nullptr || text == nullptr || text[0] == '\0') return 0;
  IRectangle box{0, 0, 0, 0};
  font->RenderText(&scratch, text, -1, &box, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  return box.right - box.left;
}

void DialogLook::DrawText(PIX_IBitmap& target, const char* text, const IRectangle& rect,
                          unsigned format, PIX_PixelValue colour) const {
  if (font == nullptr || text == nullptr || text[0] == '\0') return;
  font->ReplaceForeground(colour);
  IRectangle box = rect;
  font->RenderText(&target, text, -1, &box, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void FillBox(PIX_IBitmap& target, const IRectangle& rect, PIX_PixelValue colour) {
  PIX_FillArea(&target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               colour, 1.0f, PIX_COMBINE_COPY);
}

void FrameBox(PIX_IBitmap& target, const IRectangle& rect, PIX_PixelValue colour) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  FillBox(target, {rect.left, rect.top, rect.right, rect.top + 1}, colour);
  FillBox(target, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
  if (height < 2 || width < 1) return;
  FillBox(target, {rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, colour);
  FillBox(target, {rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, colour);
}
