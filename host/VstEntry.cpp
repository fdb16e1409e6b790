#include "host/VstEntry.h"

#include <algorithm>
#include <mutex>
#include <new>

namespace {
std::mutex& CreationLock() {
  static std::mutex lock;
  return lock;
}
}  // namespace

AEffect* CreateVstEffect(audioMasterCallback host, VstEffectFactory factory) {
  std::lock_guard<std::mutex> lock(CreationLock());
  IEffectVST* plugin = nullptr;
  try {
    plugin = factory(host);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (plugin == nullptr) return nullptr;
  plugin->AddPresetsFromCurrentState("Empty", plugin->PresetCount());
  AEffect* descriptor = plugin->Descriptor();
  descriptor->numPrograms = std::max(descriptor->numPrograms, 1);
  return descriptor;
}
