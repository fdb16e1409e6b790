#pragma once
// Tessaly's editor in an X window, driven as a Linux host drives it: a top-level window
// of the host's own connection as the parent, effEditOpen with its id, pointer input
// through XTest and effEditIdle calls. The X server is an Xvfb of the test's own.

#include <memory>
#include <vector>

#include "effect/VstTestHost.h"
#include "gui/Graphics.h"
#include "tools/XvfbDisplay.h"

// After GoogleTest, whose names Xlib's macros (None, Bool) would replace.
#include <X11/Xlib.h>

class EditorWindowTest : public VstTestHost {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A mapped top-level window of the host's connection, at the screen's top-left.
  Window NewParent(int width = 274, int height = 438);
  // effEditOpen of effect in parent.
  intptr_t OpenEditor(AEffect* effect, Window parent);
  // effEditIdle every few milliseconds for about ms milliseconds.
  void Idle(AEffect* effect, int ms = 120);

  // Pointer input at screen coordinates, waited for by the server.
  void MoveTo(int x, int y);
  void Button(unsigned int button, bool down);
  void Click(unsigned int button, int x, int y);
  // Presses button 1 at (x, y), moves by dy in steps of step pixels, releases.
  void DragVertically(AEffect* effect, int x, int y, int dy, int step);

  static IGraphics& Graphics(AEffect* effect);
  static Window EditorWindow(AEffect* effect);
  static double Normalised(AEffect* effect, int index);
  // The children of window on the server.
  std::vector<Window> Children(Window window);
  // The window's pixels on the server, red, green and blue only; empty when unreadable.
  std::vector<uint32_t> ScreenPixels(Window window, int width, int height);
  // The editor's surface, red, green and blue only.
  static std::vector<uint32_t> SurfacePixels(AEffect* effect);
  // The requests of opcodes (BeginEdit, Automate, EndEdit) about parameter index.
  std::vector<int32_t> GestureOf(int index) const;

  Display* display_ = nullptr;

 private:
  static inline std::unique_ptr<XvfbDisplay> server_;
  std::vector<Window> parents_;
};
