#pragma once
// A VST 2.4 module loaded as hosts load it: dlopen, the exported entry point
// (VSTPluginMain, or main in older modules) called with the host callback, and every
// request sent through the descriptor's dispatcher. Destroying the object closes the
// plug-in and unloads the module.

#include <cstdint>
#include <memory>
#include <string>

#include "host/Vst2.h"

class PluginModule {
 public:
  // Loads the module at path and creates one plug-in. Null with a one-line reason in
  // error when the file is missing, is not a loadable module, has no entry point, or
  // yields no valid descriptor.
  static std::unique_ptr<PluginModule> Load(const std::string& path, std::string* error);
  // Creates one plug-in through an entry point linked into this program; name stands for
  // the module in messages.
  static std::unique_ptr<PluginModule> Create(const std::string& name, VstPluginMainProc entry,
                                              std::string* error);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  const std::string& Path() const { return path_; }
  AEffect& Effect() const { return *effect_; }

  intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f) const;
  // A text request (effGetEffectName, effGetParamName, ...) into a roomy zeroed buffer, so
  // that a plug-in writing past the interface's limits does no harm.
  std::string QueryText(int32_t opcode, int32_t index = 0) const;

  // Sends effOpen once; later calls do nothing.
  void Open();
  // Sends effClose once, for hosts that close the plug-in before letting go of what it
  // used; otherwise destruction sends it.
  void Close();

  int32_t ParameterCount() const { return effect_->numParams; }
  int32_t ProgramCount() const { return effect_->numPrograms; }
  std::string ParameterName(int32_t index) const { return QueryText(effGetParamName, index); }
  std::string ParameterLabel(int32_t index) const { return QueryText(effGetParamLabel, index); }
  std::string ParameterDisplay(int32_t index) const { return QueryText(effGetParamDisplay, index); }
  // The display text followed by the label, as a host shows a value ("-3.0 dB").
  std::string ParameterText(int32_t index) const;
  std::string ProgramName(int32_t index) const;

 private:
  PluginModule(std::string path, void* handle, AEffect* effect);
  // Calls the entry point; handle is the loaded module, or null for a linked entry point.
  static std::unique_ptr<PluginModule> Start(const std::string& name, void* handle, VstPluginMainProc entry,
                                             std::string* error);

  std::string path_;
  void* handle_ = nullptr;
  AEffect* effect_ = nullptr;
  bool opened_ = false;
  bool closed_ = false;
};
