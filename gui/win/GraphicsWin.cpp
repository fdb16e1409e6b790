#include "gui/win/GraphicsWin.h"

#include <strings.h>

#include <cstring>

#include "gui/win/XClipboard.h"
#include "gui/win/XErrorTrap.h"
#include "raster/PngImage.h"

namespace {
constexpr int kSmallestPng = 8;  // the signature alone
constexpr int kClipboardTimeoutMs = 1000;

// True when the text after the last '.' of fileName is "png" in any case.
bool HasPngExtension(const char* fileName) {
  if (fileName == nullptr) return false;
  const char* dot = std::strrchr(fileName, '.');
  return dot != nullptr && strcasecmp(dot + 1, "png") == 0;
}
}  // namespace

IGraphicsWin::IGraphicsWin(IEffectBase* plugin, int width, int height, int frameRate)
    : IGraphics(plugin, width, height, frameRate) {}

PIX_IBitmap* IGraphicsWin::LoadResourceImage(int number, const char* fileName) {
  if (!HasPngExtension(fileName)) return nullptr;
  const ModuleResource* resource = FindModuleResource(module_, number, "PNG");
  if (resource == nullptr || resource->size < kSmallestPng) return nullptr;
  return PIX_PngImage::FromMemory(resource->bytes, resource->size);
}

// Works with the editor closed too, on a connection of its own then.
bool IGraphicsWin::ReadClipboardText(std::string& text) {
  text.clear();
  XDisplayConnection* connection = XDisplayConnection::Acquire();
  if (connection == nullptr) return false;
  const bool read = ::ReadClipboardText(*connection, text, kClipboardTimeoutMs);
  XErrorTrap trap(*connection);
  connection->Release();
  return read;
}
