#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "StandInPrograms.h"
#include "platform/LinkOpener.h"

namespace {
using Arguments = std::vector<std::string>;

TEST(LinkOpener, DefaultRoutesAreThoseToEverywhereThatAreUp) {
  const std::string table =
      "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
      "wlan0\t0000A8C0\t00000000\t0001\t0\t0\t600\t00FFFFFF\t0\t0\t0\n"
      "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
      "tun0\t00000000\t00000000\t0000\t0\t0\t50\t00000000\t0\t0\t0\n"
      "broken line\n"
      "usb0\t00000000\t0101A8C0\t0003\t0\t0\t700\t00000000\t0\t0\t0\n";
  EXPECT_EQ(DefaultRouteInterfaces(table), (Arguments{"eth0", "usb0"}));
  EXPECT_TRUE(DefaultRouteInterfaces("").empty());
  EXPECT_TRUE(DefaultRouteInterfaces(table.substr(0, table.find('\n') + 1)).empty());
}

class LinkOpenerDesktop : public testing::Test {
 protected:
  TemporaryFolder programs_;
  ScopedVariable path_{"PATH", programs_.Path().c_str()};
};

TEST_F(LinkOpenerDesktop, HandsTheUrlToXdgOpenUnchanged) {
  WriteStandIn(programs_.Path(), "xdg-open", "", 0);
  const std::string url = "https://example.org/a b?q='x'&r=$(id)";
  EXPECT_TRUE(OpenWithDesktop(url.c_str()));
  EXPECT_EQ(RecordedArguments(programs_.Path(), "xdg-open"), (Arguments{url}));
}

TEST_F(LinkOpenerDesktop, FailsWhenXdgOpenFailsIsMissingOrHasNoUrl) {
  EXPECT_FALSE(OpenWithDesktop("https://example.org/"));
  WriteStandIn(programs_.Path(), "xdg-open", "", 4);
  EXPECT_FALSE(OpenWithDesktop("https://example.org/"));
  WriteStandIn(programs_.Path(), "xdg-open", "", 0);
  const std::string record = programs_.Path() + "/xdg-open.arguments";
  unlink(record.c_str());
  EXPECT_FALSE(OpenWithDesktop(""));
  EXPECT_FALSE(OpenWithDesktop(nullptr));
  EXPECT_NE(access(record.c_str(), F_OK), 0);  // nothing was started
}

TEST_F(LinkOpenerDesktop, AnOpenerThatKeepsRunningIsLeftRunning) {
  const std::string pidFile = programs_.Path() + "/pid";
  WriteScript(programs_.Path() + "/xdg-open",
              "echo $$ > " + pidFile + ".tmp; /bin/mv " + pidFile + ".tmp " + pidFile +
                  "; exec /bin/sleep 30 >/dev/null 2>&1");
  EXPECT_TRUE(OpenWithDesktop("https://example.org/"));
  const int pid = std::atoi(FileText(pidFile).c_str());
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(IsProcessAlive(pid));
  kill(pid, SIGKILL);
}
}  // namespace
