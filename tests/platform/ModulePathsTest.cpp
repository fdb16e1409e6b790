#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "platform/ModulePaths.h"

namespace {
bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

TEST(ModulePaths, HostFolderHoldsTheRunningProgram) {
  const std::string folder = HostModuleFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(SameFile(folder + "tests_platform", "/proc/self/exe"));
}

TEST(ModulePaths, CodeLinkedIntoTheProgramHasTheProgramAsItsModule) {
  EXPECT_EQ(PluginModuleFolder(), HostModuleFolder());
}
}  // namespace
