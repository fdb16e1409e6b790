#include <cstdio>
#include <set>
#include <string>

#include "module/ModuleFixture.h"

namespace {

TEST_F(ModuleTest, Descriptor_IsWhatAHostExpects) {
  EXPECT_EQ(effect_->magic, 0x56737450);
  EXPECT_NE(effect_->dispatcher, nullptr);
  EXPECT_NE(effect_->process, nullptr);
  EXPECT_NE(effect_->setParameter, nullptr);
  EXPECT_NE(effect_->getParameter, nullptr);
  EXPECT_NE(effect_->processReplacing, nullptr);
  EXPECT_NE(effect_->processDoubleReplacing, nullptr);
  EXPECT_EQ(effect_->numPrograms, 4);
  EXPECT_EQ(effect_->numParams, 3);
  EXPECT_EQ(effect_->numInputs, 2);
  EXPECT_EQ(effect_->numOutputs, 2);
  EXPECT_EQ(effect_->flags & ~effFlagsHasEditor, 0x1010);  // the editor flag comes with the editor
  EXPECT_EQ(effect_->uniqueID, 0x6A68784D);
  EXPECT_EQ(effect_->version, 20001);
  EXPECT_EQ(effect_->initialDelay, 0);
  EXPECT_EQ(effect_->ioRatio, 1.0f);
  EXPECT_NE(effect_->object, nullptr);
}

TEST_F(ModuleTest, Creation_AsksTheHostNothing) { EXPECT_TRUE(LoadedModule::Requests().empty()); }

TEST_F(ModuleTest, EachEntryPointCall_CreatesAnIndependentPlugin) {
  AEffect* second = module_.Create();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, effect_);
  EXPECT_NE(second->object, effect_->object);
  effect_->setParameter(effect_, 0, 1.0f);
  EXPECT_EQ(QueryText(effect_, effGetParamDisplay, 0), "6.00");
  EXPECT_EQ(QueryText(second, effGetParamDisplay, 0), "0.00");
  LoadedModule::Close(second);
}

TEST(ModuleExports, OnlyTheEntryPointIsExported) {
  const std::string command = std::string("nm -D --defined-only '") + TESSALY_MODULE_PATH + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> names;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string text = line;
    text.erase(text.find_last_not_of("\r\n") + 1);
    names.insert(text.substr(text.rfind(' ') + 1));
  }
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_EQ(names, (std::set<std::string>{"VSTPluginMain", "main"}));
}

}  // namespace
