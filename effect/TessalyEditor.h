#pragma once
// Tessaly's editor: a 274 x 438 background with a knob for "Gain", faders for "Mono" and
// "Stereo", a read-out above each and the version label at the bottom right.

#include "gui/BitmapTextControl.h"
#include "gui/win/GraphicsWin.h"

// The read-outs that show parameter values, indexed by parameter; a read-out whose font
// image could not be loaded is null.
struct TessalyReadouts {
  IBitmapTextControl* byParameter[3] = {nullptr, nullptr, nullptr};
};

// Builds the editor with its controls for plugin, showing the packed version. A control
// whose image cannot be loaded is left out.
IGraphicsWin* BuildTessalyEditor(IEffectBase* plugin, int32_t version, TessalyReadouts* readouts);
