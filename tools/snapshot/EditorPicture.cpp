#include "tools/snapshot/EditorPicture.h"

#include "gui/Graphics.h"
#include "host/EffectVST.h"

namespace {
void CopyScaled(const PIX_IBitmap& source, int scale, PIX_MemBitmap* picture) {
  picture->SetSize(source.Width() * scale, source.Height() * scale);
  for (int y = 0; y < picture->Height(); ++y) {
    const PIX_PixelValue* from = source.Row(y / scale);
    PIX_PixelValue* to = picture->Row(y);
    for (int x = 0; x < picture->Width(); ++x) to[x] = from[x / scale];
  }
}
}  // namespace

bool DrawEditorPicture(PluginModule& module, int scale, PIX_MemBitmap* picture, std::string* error) {
  IEffectVST* plugin = IEffectVST::FromDescriptor(&module.Effect());
  auto* graphics = plugin != nullptr ? dynamic_cast<IGraphics*>(plugin->Editor()) : nullptr;
  if (graphics == nullptr || graphics->Surface() == nullptr) {
    *error = module.Path() + " has no editor to draw";
    return false;
  }
  IEffectLockGuard lock(plugin->Mutex());
  graphics->RedrawArea(IRectangle{0, 0, graphics->Width(), graphics->Height()});
  CopyScaled(*graphics->Surface(), scale, picture);
  return true;
}
