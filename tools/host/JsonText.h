#pragma once
// Text as a JSON string literal: quoted, with quotes, backslashes and control characters
// escaped, and bytes that are not valid UTF-8 replaced by U+FFFD, since plug-ins hand
// back whatever bytes they like.

#include <string>

std::string JsonString(const std::string& text);
