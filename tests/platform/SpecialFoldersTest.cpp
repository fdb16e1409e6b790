#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <string>

#include "StandInPrograms.h"
#include "platform/SpecialFolders.h"

namespace {
// Runs each test with a known home and no XDG variables; PATH holds only the test's folder,
// where a stand-in xdg-user-dir may be put.
class SpecialFolders : public testing::Test {
 protected:
  void WriteUserDir(const std::string& body) { WriteScript(programs_.Path() + "/xdg-user-dir", body); }

  TemporaryFolder programs_;
  ScopedVariable home_{"HOME", "/home/tester"};
  ScopedVariable path_{"PATH", programs_.Path().c_str()};
  ScopedVariable dataHome_{"XDG_DATA_HOME", nullptr};
  ScopedVariable dataDirs_{"XDG_DATA_DIRS", nullptr};
};

TEST_F(SpecialFolders, UserDataFolderFollowsXdgDataHomeElseTheHomeFolder) {
  EXPECT_EQ(AppDataFolder(false), "/home/tester/.local/share/");
  {
    ScopedVariable dataHome("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(AppDataFolder(false), "/srv/data/");
  }
  {
    ScopedVariable dataHome("XDG_DATA_HOME", "/srv/data/");
    EXPECT_EQ(AppDataFolder(false), "/srv/data/");
  }
  {
    ScopedVariable dataHome("XDG_DATA_HOME", "relative/data");  // ignored, as XDG says
    EXPECT_EQ(AppDataFolder(false), "/home/tester/.local/share/");
  }
  ScopedVariable rootHome("HOME", "/");
  EXPECT_EQ(AppDataFolder(false), "/.local/share/");
}

TEST_F(SpecialFolders, CommonDataFolderIsTheFirstAbsoluteXdgDataDir) {
  EXPECT_EQ(AppDataFolder(true), "/usr/local/share/");
  {
    ScopedVariable dataDirs("XDG_DATA_DIRS", "relative:/opt/share:/usr/share");
    EXPECT_EQ(AppDataFolder(true), "/opt/share/");
  }
  ScopedVariable dataDirs("XDG_DATA_DIRS", "");
  EXPECT_EQ(AppDataFolder(true), "/usr/local/share/");
}

TEST_F(SpecialFolders, TooLongFoldersAreEmptyNotReplaced) {
  const std::string longFolder = "/" + std::string(300, 'd');
  ScopedVariable dataHome("XDG_DATA_HOME", longFolder.c_str());
  ScopedVariable dataDirs("XDG_DATA_DIRS", longFolder.c_str());
  EXPECT_EQ(AppDataFolder(false), "");
  EXPECT_EQ(AppDataFolder(true), "");
  ScopedVariable home("HOME", longFolder.c_str());
  EXPECT_EQ(DesktopFolder(), "");
}

TEST_F(SpecialFolders, UnsetHomeFallsBackToThePasswordDatabase) {
  const passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  std::string home = entry->pw_dir;
  if (home.back() != '/') home += '/';
  ScopedVariable unset("HOME", nullptr);
  EXPECT_EQ(AppDataFolder(false), home + ".local/share/");
  EXPECT_EQ(DesktopFolder(), home + "Desktop/");
}

TEST_F(SpecialFolders, DesktopIsWhatXdgUserDirAnswers) {
  WriteUserDir("[ \"$1\" = DESKTOP ] && echo /srv/desk");
  EXPECT_EQ(DesktopFolder(), "/srv/desk/");
}

TEST_F(SpecialFolders, DesktopFallsBackWhenXdgUserDirIsMissingFailsOrHangs) {
  EXPECT_EQ(DesktopFolder(), "/home/tester/Desktop/");
  for (const char* body : {"echo /srv/desk; exit 1", "echo relative/desk", "printf '/a\\n/b\\n'",
                           "exit 0", "exec /bin/sleep 30"}) {
    WriteUserDir(body);
    EXPECT_EQ(DesktopFolder(), "/home/tester/Desktop/") << body;
  }
}
}  // namespace
