#pragma once
// Opening a web link with the desktop's preferred program, and whether a network is there
// to open it over.

#include <string>
#include <vector>

// True when some interface other than the loopback is up and carries a default route.
bool IsNetworkConnected();

// The interfaces that carry an IPv4 default route (destination 0.0.0.0, route up) in a
// routing table written as /proc/net/route writes it.
std::vector<std::string> DefaultRouteInterfaces(const std::string& routeTable);

// Starts xdg-open for the URL and leaves it running. True when it started and has either
// not ended within a second or exited with status 0.
bool OpenWithDesktop(const char* url);
