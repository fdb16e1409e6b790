#pragma once
// Reading the text of the X CLIPBOARD selection: asked for as UTF8_STRING, else as STRING
// (Latin-1, converted to UTF-8). Transfers in pieces (INCR) are not taken.

#include <string>

#include "gui/win/XDisplayConnection.h"

// False when there is no owner, it offers no text, or it does not answer within
// timeoutMs; text is then empty.
bool ReadClipboardText(XDisplayConnection& connection, std::string& text, int timeoutMs);
