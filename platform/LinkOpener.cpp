#include "platform/LinkOpener.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <net/route.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/ChildProcess.h"

namespace {
// xdg-open usually hands the link over and exits at once; when it runs the browser itself
// it stays, and waiting for it any longer would hold up the editor.
constexpr int kOpenerSettleMs = 1000;

std::string FileText(const char* path) {
  std::ifstream file(path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool IsUpAndNotLoopback(const std::string& interface) {
  ifaddrs* addresses = nullptr;
  if (getifaddrs(&addresses) != 0) return false;
  bool found = false;
  for (const ifaddrs* entry = addresses; entry != nullptr && !found; entry = entry->ifa_next) {
    found = entry->ifa_name != nullptr && interface == entry->ifa_name &&
            (entry->ifa_flags & IFF_UP) != 0 && (entry->ifa_flags & IFF_LOOPBACK) == 0;
  }
  freeifaddrs(addresses);
  return found;
}
}  // namespace

std::vector<std::string> DefaultRouteInterfaces(const std::string& routeTable) {
  std::vector<std::string> interfaces;
  std::istringstream lines(routeTable);
  std::string line;
  std::getline(lines, line);  // the column names
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string interface, destination, gateway;
    unsigned flags = 0;
    if (!(fields >> interface >> destination >> gateway >> std::hex >> flags)) continue;
    if (destination == "00000000" && (flags & RTF_UP) != 0) interfaces.push_back(interface);
  }
  return interfaces;
}

bool IsNetworkConnected() {
  for (const std::string& interface : DefaultRouteInterfaces(FileText("/proc/net/route"))) {
    if (IsUpAndNotLoopback(interface)) return true;
  }
  return false;
}

bool OpenWithDesktop(const char* url) {
  if (url == nullptr || url[0] == '\0') return false;
  return StartDetached({"xdg-open", url}, kOpenerSettleMs);
}
