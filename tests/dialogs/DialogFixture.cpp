#include "DialogFixture.h"

#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>

#include "PromptDemo.h"
#include "host/EffectVST.h"
#include "platform/ChildProcess.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kAppearTime = std::chrono::seconds(3);
constexpr auto kPoll = std::chrono::milliseconds(10);

IEffectVST* NewPromptDemo(audioMasterCallback host) { return new PromptDemo(host); }

XRectangle AreaOf(const XWindowAttributes& a) {
  return XRectangle{static_cast<short>(a.x), static_cast<short>(a.y),
                    static_cast<unsigned short>(a.width), static_cast<unsigned short>(a.height)};
}

// Sends a key's press and release, with Shift when the keysym is on the key's second level.
void FakeKey(Display* display, KeySym keysym) {
  const KeyCode code = XKeysymToKeycode(display, keysym);
  int perCode = 0;
  KeySym* levels = XGetKeyboardMapping(display, code, 1, &perCode);
  const bool shifted = levels != nullptr && perCode > 1 && levels[0] != keysym;
  if (levels != nullptr) XFree(levels);
  const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
  if (shifted) XTestFakeKeyEvent(display, shift, True, CurrentTime);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  if (shifted) XTestFakeKeyEvent(display, shift, False, CurrentTime);
  XSync(display, False);
}
}  // namespace

ScreenHand::ScreenHand() : display(XOpenDisplay(nullptr)) {}

ScreenHand::~ScreenHand() {
  Finish();
  if (display != nullptr) XCloseDisplay(display);
}

void ScreenHand::Start(std::function<void(ScreenHand&)> work) {
  thread_ = std::thread([this, work] { work(*this); });
}

void ScreenHand::Finish() {
  if (thread_.joinable()) thread_.join();
}

bool ScreenHand::WaitForPanels(int count, XRectangle& area) {
  for (const auto end = Clock::now() + kAppearTime; Clock::now() < end;
       std::this_thread::sleep_for(kPoll)) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int total = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &total)) continue;
    int found = 0;
    for (unsigned int i = 0; i < total; ++i) {
      XWindowAttributes a;
      if (XGetWindowAttributes(display, children[i], &a) && a.override_redirect &&
          a.map_state == IsViewable) {
        ++found;
        area = AreaOf(a);
      }
    }
    if (children != nullptr) XFree(children);
    if (found >= count) return true;
  }
  return false;
}

bool ScreenHand::WaitForWindow(const char* name, XRectangle& area) {
  for (const auto end = Clock::now() + kAppearTime; Clock::now() < end;
       std::this_thread::sleep_for(kPoll)) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int total = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &total)) continue;
    bool found = false;
    for (unsigned int i = 0; i < total && !found; ++i) {
      char* windowName = nullptr;
      XWindowAttributes a;
      if (XFetchName(display, children[i], &windowName) && windowName != nullptr) {
        found = std::string(windowName) == name &&
                XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable;
        if (found) area = AreaOf(a);
        XFree(windowName);
      }
    }
    if (children != nullptr) XFree(children);
    if (found) return true;
  }
  return false;
}

void ScreenHand::Move(int x, int y) {
  XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
  XSync(display, False);
  std::this_thread::sleep_for(kPoll);
}

void ScreenHand::Click(int x, int y) {
  Move(x, y);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XSync(display, False);
}

void ScreenHand::Key(KeySym keysym) {
  FakeKey(display, keysym);
  std::this_thread::sleep_for(kPoll);
}

AEffect* DialogTest::OpenDemo() {
  AEffect* effect = Create(&NewPromptDemo);
  Dispatch(effect, effOpen);
  EXPECT_EQ(OpenEditor(effect, NewParent(300, 72)), 1);
  Idle(effect);
  return effect;
}

IGraphicsWin& DialogTest::Editor(AEffect* effect) {
  return dynamic_cast<IGraphicsWin&>(*IEffectVST::FromDescriptor(effect)->Editor());
}

IEffectParameter& DialogTest::Parameter(AEffect* effect, int index) {
  return *IEffectVST::FromDescriptor(effect)->Parameter(index);
}

void DialogTest::ClickEditor(AEffect* effect, int x, int y) {
  Click(1, x, y);
  Idle(effect, 100);
}

void DialogTest::Keys(AEffect* effect, const std::vector<KeySym>& keysyms) {
  for (const KeySym keysym : keysyms) {
    FakeKey(display_, keysym);
    Idle(effect, 30);
  }
  Idle(effect, 100);
}

void DialogTest::Type(AEffect* effect, const char* text) {
  std::vector<KeySym> keysyms;
  for (const char* c = text; *c != '\0'; ++c) keysyms.push_back(static_cast<unsigned char>(*c));
  Keys(effect, keysyms);
}

void DialogTest::Chord(AEffect* effect, KeySym modifier, KeySym key) {
  const KeyCode held = XKeysymToKeycode(display_, modifier);
  XTestFakeKeyEvent(display_, held, True, CurrentTime);
  FakeKey(display_, key);
  XTestFakeKeyEvent(display_, held, False, CurrentTime);
  XSync(display_, False);
  Idle(effect, 100);
}

bool DialogTest::OfferOnClipboard(const std::string& text, const char* target) {
  if (FindProgram("xclip").empty()) return false;
  const Atom clipboard = XInternAtom(display_, "CLIPBOARD", False);
  const Window before = XGetSelectionOwner(display_, clipboard);
  const std::string command = std::string("xclip -selection clipboard -t ") + target + " -i";
  FILE* pipe = popen(command.c_str(), "w");
  if (pipe == nullptr) return false;
  std::fputs(text.c_str(), pipe);
  if (pclose(pipe) != 0) return false;
  for (int wait = 0; wait < 200 && XGetSelectionOwner(display_, clipboard) == before; ++wait) {
    std::this_thread::sleep_for(kPoll);
  }
  return XGetSelectionOwner(display_, clipboard) != before;
}
