#pragma once
// What a file dialog is for.

#include <cstdint>

enum IFileAction : int32_t { FILE_OPEN = 0, FILE_SAVE = 1 };
