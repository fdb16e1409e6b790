#include "module/LoadedModule.h"

#include <dlfcn.h>

#include <cstring>

LoadedModule::LoadedModule() {
  handle_ = dlopen(TESSALY_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
  if (handle_) entry_ = reinterpret_cast<VstPluginMainProc>(dlsym(handle_, "VSTPluginMain"));
}

LoadedModule::~LoadedModule() {
  if (handle_) dlclose(handle_);
}

AEffect* LoadedModule::Create() const { return entry_ ? entry_(&LoadedModule::HostCallback) : nullptr; }

void LoadedModule::Close(AEffect* effect) {
  if (effect) effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

std::vector<RecordedRequest>& LoadedModule::Requests() {
  static std::vector<RecordedRequest> requests;
  return requests;
}

intptr_t LoadedModule::HostCallback(AEffect*, int32_t opcode, int32_t index, intptr_t, void* ptr, float) {
  Requests().push_back({opcode, index});
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterGetProductString:
      if (ptr) std::strcpy(static_cast<char*>(ptr), "Test Host");
      return 1;
    case audioMasterGetVendorVersion:
      return 10203;
    default:
      return 0;
  }
}

intptr_t Dispatch(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string QueryText(AEffect* effect, int32_t opcode, int32_t index) {
  char text[512];
  std::memset(text, '#', sizeof text);
  text[sizeof text - 1] = '\0';
  Dispatch(effect, opcode, index, 0, text);
  return text;
}
