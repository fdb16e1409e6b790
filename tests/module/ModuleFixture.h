#pragma once
// A fresh plug-in from the loaded module for each test, closed afterwards.

#include <gtest/gtest.h>

#include "module/LoadedModule.h"

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.Loaded()) << "cannot load " << TESSALY_MODULE_PATH << " or find VSTPluginMain";
    LoadedModule::Requests().clear();
    effect_ = module_.Create();
    ASSERT_NE(effect_, nullptr);
  }
  void TearDown() override { LoadedModule::Close(effect_); }

  // Sets a parameter in its own unit through the host's text entry request.
  void SetText(int32_t index, const char* value) {
    std::string text = value;
    ASSERT_EQ(Dispatch(effect_, effString2Parameter, index, 0, &text[0]), 1) << index << " " << value;
  }

  LoadedModule module_;
  AEffect* effect_ = nullptr;
};
