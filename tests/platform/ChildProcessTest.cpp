#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "StandInPrograms.h"
#include "platform/ChildProcess.h"

namespace {
TEST(ChildProcess, ArgumentsReachTheProgramVerbatimWithoutAShell) {
  TemporaryFolder folder;
  const std::string trap = folder.Path() + "/ran";
  const std::vector<std::string> arguments{
      "two words", "'single'", "\"double\"", "$(touch " + trap + ")", "`touch " + trap + "`",
      "; touch " + trap, "*", "$HOME", ""};
  std::vector<std::string> argv{"printf", "[%s]"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const ChildRun run = RunProgram(argv, nullptr);
  ASSERT_TRUE(run.started);
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.exitStatus, 0);
  std::string expected;
  for (const std::string& argument : arguments) expected += "[" + argument + "]";
  EXPECT_EQ(run.output, expected);
  EXPECT_NE(access(trap.c_str(), F_OK), 0);
}

TEST(ChildProcess, ReportsExitStatusAndBoundsOutputWithoutBlockingTheChild) {
  const ChildRun failing = RunProgram({"sh", "-c", "echo partial; exit 3"}, nullptr);
  EXPECT_TRUE(failing.exited);
  EXPECT_EQ(failing.exitStatus, 3);
  EXPECT_EQ(failing.output, "partial\n");

  // Far more than a pipe holds: the child must be drained to be able to exit.
  const ChildRun chatty = RunProgram({"head", "-c", "1000000", "/dev/zero"}, nullptr);
  EXPECT_TRUE(chatty.exited);
  EXPECT_EQ(chatty.exitStatus, 0);
  EXPECT_EQ(chatty.output.size(), 64u * 1024u);
}

TEST(ChildProcess, PumpReturningFalseEndsTheChildAndWhatItStarted) {
  TemporaryFolder folder;
  const std::string script = folder.Path() + "/wait";
  const std::string pids = folder.Path() + "/pids";
  WriteScript(script, "/bin/sleep 30 & echo $! > " + pids + ".tmp; echo $$ >> " + pids +
                          ".tmp; mv " + pids + ".tmp " + pids + "; exec /bin/sleep 30");
  int pumps = 0;
  const ChildRun run = RunProgram({script}, [&] {
    ++pumps;
    return access(pids.c_str(), F_OK) != 0;
  });
  EXPECT_TRUE(run.started);
  EXPECT_FALSE(run.exited);
  EXPECT_GE(pumps, 1);
  int background = 0, child = 0;
  std::istringstream(FileText(pids)) >> background >> child;
  ASSERT_GT(child, 0);
  EXPECT_FALSE(IsProcessAlive(child));
  // The background job is the init process's to reap; it must at least have died.
  for (int i = 0; i < 100 && IsProcessAlive(background); ++i) usleep(10000);
  EXPECT_FALSE(IsProcessAlive(background));
}

TEST(ChildProcess, TimeOutEndsAChildThatNeverFinishes) {
  const ChildRun run = RunProgram({"sleep", "30"}, nullptr, 100);
  EXPECT_TRUE(run.started);
  EXPECT_FALSE(run.exited);
}

TEST(ChildProcess, FindsProgramsOnlyAsExecutableFilesInPathFolders) {
  TemporaryFolder folder;
  WriteScript(folder.Path() + "/tool", "exit 0");
  std::ofstream(folder.Path() + "/plain") << "not executable";
  ASSERT_EQ(mkdir((folder.Path() + "/folder").c_str(), 0755), 0);
  const std::string path = "/nonexistent::" + folder.Path();
  ScopedVariable variable("PATH", path.c_str());
  EXPECT_EQ(FindProgram("tool"), folder.Path() + "/tool");
  EXPECT_EQ(FindProgram("plain"), "");
  EXPECT_EQ(FindProgram("folder"), "");
  EXPECT_EQ(FindProgram("sh"), "");
  EXPECT_EQ(FindProgram("/bin/sh"), "/bin/sh");
  EXPECT_EQ(FindProgram(""), "");
}

TEST(ChildProcess, MissingProgramsStartNothing) {
  ScopedVariable variable("PATH", "");
  EXPECT_FALSE(RunProgram({"printf", "x"}, nullptr).started);
  EXPECT_FALSE(RunProgram({}, nullptr).started);
  EXPECT_FALSE(StartDetached({"printf", "x"}, 100));
}
}  // namespace
