#pragma once
// The demonstration effect's editor in an X window (see EditorWindowTest), with a second
// hand: a thread on a connection of its own that waits for the editor's menus and boxes
// to appear and works them with XTest while the editor runs them modally.

#include <functional>
#include <string>
#include <thread>

#include "../win/EditorWindowFixture.h"
#include "gui/win/GraphicsWin.h"

// After the fixture, which brings GoogleTest before Xlib.
#include <X11/keysym.h>

class ScreenHand {
 public:
  ScreenHand();
  ~ScreenHand();
  ScreenHand(const ScreenHand&) = delete;
  ScreenHand& operator=(const ScreenHand&) = delete;

  // Runs work on the hand's thread; Finish() waits for it.
  void Start(std::function<void(ScreenHand&)> work);
  void Finish();

  // The screen area of the topmost of at least count mapped override-redirect windows
  // (menu panels), waited for up to three seconds; false when they do not appear.
  bool WaitForPanels(int count, XRectangle& area);
  // The screen area of the mapped top-level window named name, waited for likewise.
  bool WaitForWindow(const char* name, XRectangle& area);
  void Click(int x, int y);
  void Move(int x, int y);
  void Key(KeySym keysym);

  Display* display = nullptr;

 private:
  std::thread thread_;
};

class DialogTest : public EditorWindowTest {
 protected:
  enum { kMode = 0, kLevel = 1 };
  static constexpr int kModeX = 75, kLevelX = 225, kBoxY = 20;

  // The demonstration effect with its editor open in a new parent and drawn.
  AEffect* OpenDemo();
  static IGraphicsWin& Editor(AEffect* effect);
  static IEffectParameter& Parameter(AEffect* effect, int index);
  // Clicks the editor at (x, y) and idles it until the click is handled.
  void ClickEditor(AEffect* effect, int x, int y);
  // Keys to the window with the focus, each followed by idling the editor.
  void Keys(AEffect* effect, const std::vector<KeySym>& keysyms);
  void Type(AEffect* effect, const char* text);
  // key with modifier held.
  void Chord(AEffect* effect, KeySym modifier, KeySym key);
  // Puts text on the clipboard through xclip, offered as target, and waits until xclip
  // owns it; false without xclip.
  bool OfferOnClipboard(const std::string& text, const char* target);
};
