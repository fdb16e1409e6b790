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
  EXPECT_EQ(effect_->flags, 0x1011);  // editor, 32-bit and 64-bit replacing
  EXPECT_EQ(effect_->uniqueID, 0x6A68784D);
  EXPECT_EQ(effect_->version, 20001);
  EXPECT_EQ(effect_->initialDelay, 0);
  EXPECT_EQ(effect_->ioRatio, 1.0f);
  EXPECT_NE(effect_->object, nullptr);
}

TEST_F(ModuleTest, EditorRectangle_IsThereBeforeAnyWindow) {
  ERect* rect = nullptr;
  ASSERT_EQ(effect_->dispatcher(effect_, effEditGetRect, 0, 0, &rect, 0.0f), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right - rect->left, 274);
  EXPECT_EQ(rect->bottom - rect->top, 438);
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

// The last word of each line that command prints.
std::set<std::string> LastWords(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  std::set<std::string> words;
  if (pipe == nullptr) return words;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string text = line;
    text.erase(text.find_last_not_of("\r\n") + 1);
    words.insert(text.substr(text.rfind(' ') + 1));
  }
  EXPECT_EQ(pclose(pipe), 0) << command;
  return words;
}

TEST(ModuleExports, OnlyTheEntryPointIsExported) {
  EXPECT_EQ(LastWords(std::string("nm -D --defined-only '") + TESSALY_MODULE_PATH + "'"),
            (std::set<std::string>{"VSTPluginMain", "main"}));
}

// The editor decodes its images with the system's libpng, so the module links it in.
TEST(ModuleExports, TheModuleNeedsTheSystemsPngLibrary) {
  const std::set<std::string> needed =
      LastWords(std::string("readelf -d '") + TESSALY_MODULE_PATH + "' | grep NEEDED");
  EXPECT_EQ(needed.count("[libpng16.so.16]"), 1u);
}

}  // namespace
