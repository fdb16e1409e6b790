#include "host/VstEntry.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "host/ExceptionBarrier.h"

namespace {
std::mutex& CreationLock() {
  static std::mutex lock;
  return lock;
}

AEffect* Create(audioMasterCallback host, VstEffectFactory factory) {
  std::lock_guard<std::mutex> lock(CreationLock());
  std::unique_ptr<IEffectVST> plugin(factory(host));
  if (plugin == nullptr) return nullptr;
  plugin->AddPresetsFromCurrentState("Empty", plugin->PresetCount());
  AEffect* descriptor = plugin->Descriptor();
  descriptor->numPrograms = std::max(descriptor->numPrograms, 1);
  plugin.release();  // the host owns it now, until effClose
  return descriptor;
}
}  // namespace

AEffect* CreateVstEffect(audioMasterCallback host, VstEffectFactory factory) noexcept {
  return CallGuarded([&] { return Create(host, factory); }, []() -> AEffect* { return nullptr; });
}
