#include "tools/host/PluginModule.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "tools/host/HostServices.h"

namespace {

// Plug-ins are asked for texts into buffers far larger than the interface promises.
constexpr size_t kTextBufferBytes = 1024;

std::string RealPath(const char* path) {
  char resolved[PATH_MAX];
  return realpath(path, resolved) ? std::string(resolved) : std::string();
}

std::string Directory(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The entry point named name, when the module itself defines it (dlsym also searches the
// module's dependencies).
VstPluginMainProc ModuleEntryPoint(void* handle, const char* name, const std::string& modulePath) {
  void* symbol = dlsym(handle, name);
  Dl_info info{};
  if (!symbol || !dladdr(symbol, &info) || !info.dli_fname) return nullptr;
  if (RealPath(info.dli_fname) != modulePath) return nullptr;
  return reinterpret_cast<VstPluginMainProc>(symbol);
}

}  // namespace

std::unique_ptr<PluginModule> PluginModule::Load(const std::string& path, std::string* error) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) {
    *error = "module not found: " + path;
    return nullptr;
  }
  // A name without a slash would make dlopen search the library path instead.
  const std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* reason = dlerror();
    *error = "cannot load module " + path + ": " + (reason ? reason : "unknown reason");
    return nullptr;
  }
  const std::string modulePath = RealPath(openPath.c_str());
  VstPluginMainProc entry = ModuleEntryPoint(handle, "VSTPluginMain", modulePath);
  if (!entry) entry = ModuleEntryPoint(handle, "main", modulePath);
  if (!entry) {
    dlclose(handle);
    *error = path + " is not a VST 2 module: it exports neither VSTPluginMain nor main";
    return nullptr;
  }
  HostServices& host = HostServices::Instance();
  host.SetModuleDirectory(Directory(modulePath));
  std::unique_ptr<PluginModule> module = Start(path, handle, entry, error);
  if (!module) {
    dlclose(handle);
    return nullptr;
  }
  host.KeepModuleDirectory(&module->Effect());
  return module;
}

std::unique_ptr<PluginModule> PluginModule::Create(const std::string& name, VstPluginMainProc entry,
                                                   std::string* error) {
  return Start(name, nullptr, entry, error);
}

std::unique_ptr<PluginModule> PluginModule::Start(const std::string& name, void* handle, VstPluginMainProc entry,
                                                  std::string* error) {
  AEffect* effect = entry(&HostServices::Callback);
  if (!effect || effect->magic != kEffectMagic || !effect->dispatcher) {
    *error = name + ": the entry point returned no valid plug-in descriptor";
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(name, handle, effect));
}

PluginModule::PluginModule(std::string path, void* handle, AEffect* effect)
    : path_(std::move(path)), handle_(handle), effect_(effect) {}

PluginModule::~PluginModule() {
  Close();
  if (handle_) dlclose(handle_);
}

intptr_t PluginModule::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) const {
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginModule::QueryText(int32_t opcode, int32_t index) const {
  std::vector<char> text(kTextBufferBytes, '\0');
  Dispatch(opcode, index, 0, text.data());
  text.back() = '\0';
  return text.data();
}

void PluginModule::Open() {
  if (opened_) return;
  opened_ = true;
  Dispatch(effOpen);
}

void PluginModule::Close() {
  if (closed_) return;
  closed_ = true;
  Dispatch(effClose);
}

std::string PluginModule::ParameterText(int32_t index) const {
  const std::string label = ParameterLabel(index);
  return label.empty() ? ParameterDisplay(index) : ParameterDisplay(index) + " " + label;
}

std::string PluginModule::ProgramName(int32_t index) const {
  return QueryText(effGetProgramNameIndexed, index);
}
