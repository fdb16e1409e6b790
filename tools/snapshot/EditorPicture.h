#pragma once
// The picture of a plug-in's editor, drawn off-screen by one full redraw pass of its
// graphics object into the editor's own surface.

#include <string>

#include "raster/MemBitmap.h"
#include "tools/host/PluginModule.h"

// Draws the editor of the plug-in (built into this program) into picture, each pixel
// repeated scale times in both directions. False with a reason when it has no editor.
bool DrawEditorPicture(PluginModule& module, int scale, PIX_MemBitmap* picture, std::string* error);
