#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ModuleResources.h"

const ModuleResources* TestResources();

namespace {
std::vector<unsigned char> FileBytes(const std::string& name) {
  std::ifstream file(std::string(TESSALY_SOURCE_DIR) + "/fuzz/seeds/fuzz_png/" + name,
                     std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> ResourceBytes(const ModuleResource* resource) {
  return {resource->bytes, resource->bytes + resource->size};
}

TEST(ModuleResources, EmbeddedFilesKeepEveryByte) {
  const ModuleResource* small = FindModuleResource(TestResources(), 7, "PNG");
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(ResourceBytes(small), FileBytes("ga8.png"));
  const ModuleResource* other = FindModuleResource(TestResources(), 8, "png");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(ResourceBytes(other), FileBytes("grey1.png"));
  // Resource numbers are 16 bits wide; only the low 16 bits of a request count.
  EXPECT_EQ(FindModuleResource(TestResources(), 0x10000 + 7, "PNG"), small);
}

TEST(ModuleResources, UnknownNumbersTypesAndModulesFindNothing) {
  EXPECT_EQ(FindModuleResource(TestResources(), 9, "PNG"), nullptr);
  EXPECT_EQ(FindModuleResource(TestResources(), 7, "BMP"), nullptr);
  EXPECT_EQ(FindModuleResource(TestResources(), 7, nullptr), nullptr);
  EXPECT_EQ(FindModuleResource(nullptr, 7, "PNG"), nullptr);
  const ModuleResources empty{nullptr, 3};
  EXPECT_EQ(FindModuleResource(&empty, 7, "PNG"), nullptr);
}
}  // namespace
