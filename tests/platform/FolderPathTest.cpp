#include <gtest/gtest.h>

#include <string>

#include "platform/FolderPath.h"

namespace {
TEST(FolderPath, FolderOfPathKeepsEverythingUpToTheLastSlashButNeverThatAlone) {
  EXPECT_EQ(FolderOfPath("/usr/lib/vst/tessaly.so"), "/usr/lib/vst/");
  EXPECT_EQ(FolderOfPath("/tessaly.so"), "/");
  EXPECT_EQ(FolderOfPath("build/tessaly.so"), "build/");
  for (const char* path : {"", "tessaly.so", "/usr/lib/vst/", "/"}) {
    EXPECT_EQ(FolderOfPath(path), "") << path;
  }
}

TEST(FolderPath, PathsBeyondTheLimitGiveEmptyRatherThanCutFolders) {
  const std::string folder = "/" + std::string(200, 'f') + "/";
  const std::string longest = folder + std::string(kMaxPathLength - folder.size(), 'n');
  ASSERT_EQ(longest.size(), kMaxPathLength);
  EXPECT_EQ(FolderOfPath(longest), folder);
  EXPECT_EQ(FolderOfPath(longest + "n"), "");

  const std::string longestFolder = "/" + std::string(kMaxPathLength - 2, 'f');
  EXPECT_EQ(AsFolder(longestFolder), longestFolder + "/");
  EXPECT_EQ(AsFolder(longestFolder + "f"), "");
  EXPECT_EQ(AsFolder(longestFolder + "f/"), "");
}

TEST(FolderPath, AsFolderEndsAbsoluteFoldersInOneSlashAndRefusesOthers) {
  EXPECT_EQ(AsFolder("/home/user"), "/home/user/");
  EXPECT_EQ(AsFolder("/home/user/"), "/home/user/");
  EXPECT_EQ(AsFolder("/"), "/");
  EXPECT_EQ(AsFolder("home/user"), "");
  EXPECT_EQ(AsFolder(""), "");
}
}  // namespace
