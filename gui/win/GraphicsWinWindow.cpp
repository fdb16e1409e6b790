// The window operations of IGraphicsWin on X11: opening and closing the window, the idle
// call that gathers its events and runs the redraw tick, presenting the surface, and
// hiding the pointer during drags.

#include <X11/Xlib.h>

#include <cstdint>
#include <mutex>

#include "core/EffectBase.h"
#include "gui/Control.h"
#include "gui/ImageCache.h"
#include "gui/RectangleOps.h"
#include "gui/win/GraphicsWin.h"

#include "gui/ImageCache.h"
#include "gui/win/XDisplayConnection.h"
#include "gui/win/XEditorWindow.h"
#include "gui/win/XErrorTrap.h"
#include "gui/win/XPresenter.h"
#include "gui/win/XTooltip.h"

namespace {
// Events handled per idle call at most; the rest wait for the next call.
constexpr int kEventsPerIdle = 64;
}  // namespace

std::unique_lock<IEffectMutex> IGraphicsWin::LockPlugin() const {
  if (Plugin() == nullptr) return {};
  return std::unique_lock<IEffectMutex>(Plugin()->Mutex());
}

// The plug-in object is half destroyed by now: no gesture can be ended.
IGraphicsWin::~IGraphicsWin() { DestroyWindow(); }

void* IGraphicsWin::NativeWindow() {
  return window_ != nullptr ? reinterpret_cast<void*>(window_->Id()) : nullptr;
}

bool IGraphicsWin::OpenEditorWindow(void* parentWindow) {
  auto lock = LockPlugin();
  int x = 0, y = 0;
  if (window_ != nullptr) {
    if (!window_->Position(x, y)) x = y = 0;
    CloseEditorWindow();
  }
  connection_ = XDisplayConnection::Acquire();
  if (connection_ == nullptr) return false;
  auto window = std::make_unique<XEditorWindow>(
      *connection_, reinterpret_cast<uintptr_t>(parentWindow), x, y, Width(), Height());
  if (!window->Valid()) {
    window.reset();
    connection_->Release();
    connection_ = nullptr;
    return false;
  }
  window_ = std::move(window);
  mapper_ = XEventMapper();  // a click in the window before is no first half of a double click
  XErrorTrap trap(*connection_);
  presenter_ = std::make_unique<XPresenter>(*connection_, window_->Id(), Width(), Height(), true);
  if (TooltipsWanted()) tooltip_ = std::make_unique<XTooltip>(*connection_);
  for (int i = 0; i < ControlCount(); ++i) Control(i)->MarkDirty(false);
  lastTick_ = Clock::now();
  return true;
}

// A drag cut short by closing still ends its gesture, or the host would wait for it.
void IGraphicsWin::CloseEditorWindow() {
  if (window_ == nullptr) return;
  auto lock = LockPlugin();
  ReleasePointer();
  DestroyWindow();
}

// Under the connection's lock, which an idle call sending pixels holds.
void IGraphicsWin::DestroyWindow() {
  if (window_ == nullptr) return;
  std::lock_guard<std::recursive_mutex> guard(XDisplayConnection::Lock());
  {
    XErrorTrap trap(*connection_);
    RestoreCursorAfterDrag();
    CloseEntry();
    tooltip_.reset();
    presenter_.reset();
    window_.reset();
    // Released inside the trap: closing a lost connection must not end the host.
    connection_->Release();
  }
  connection_ = nullptr;
  pointerCaptured_ = false;
  pointerX_ = pointerY_ = -1;
  tooltipControl_ = -1;
  hoverPending_ = false;
}

// The plug-in mutex is held for what touches the editor and the plug-in (events, the
// redraw into the surface, copying it into the image), not while the server is asked to
// draw: the audio thread waits for the same mutex.
void IGraphicsWin::Idle() {
  // Images decode before the plug-in mutex is taken, which the audio thread waits for.
  if (!imagesDecoded_) {
    ImageCache::Instance().DecodeAll();
    imagesDecoded_ = true;
  }
  {
    auto lock = LockPlugin();
    idleLock_ = &lock;
    const bool open = HandleEventsAndRedraw();
    idleLock_ = nullptr;
    if (!open) return;
  }
  std::lock_guard<std::recursive_mutex> guard(XDisplayConnection::Lock());
  if (presenter_ == nullptr) return;
  XErrorTrap trap(*connection_);
  presenter_->Send();
}

bool IGraphicsWin::HandleEventsAndRedraw() {
  if (window_ == nullptr) return false;
  WindowEvent events[kEventsPerIdle];
  IRectangle paintArea{0, 0, 0, 0};
  HandleEntryEvents();
  const int count = CollectEvents(events, kEventsPerIdle, paintArea);
  for (int i = 0; i < count && window_ != nullptr; ++i) HandleWindowEvent(events[i]);
  if (window_ != nullptr && window_->Gone()) CloseEditorWindow();
  if (window_ == nullptr) return false;
  Tick(paintArea);
  if (!IsEmpty(paintArea)) RedrawArea(paintArea);
  XErrorTrap trap(*connection_);
  ShowRestingTooltip();
  // What waited for the server to finish reading the image.
  if (Surface() != nullptr) presenter_->Stage(*Surface());
  return true;
}

// Takes the window's queued events under one short trap; exposures become one area, and
// the server's notes that it read the shared image free the image again.
int IGraphicsWin::CollectEvents(WindowEvent* events, int capacity, IRectangle& paintArea) {
  XErrorTrap trap(*connection_);
  int count = 0;
  XEvent event;
  for (int taken = 0; taken < capacity && window_->NextEvent(event, tooltip_ ? tooltip_->Id() : 0);
       ++taken) {
    if (presenter_->TakeCompletion(event.type)) continue;
    if (tooltip_ != nullptr && event.xany.window == tooltip_->Id()) {
      tooltip_->HandleEvent(event);
      continue;
    }
    const WindowEvent mapped = mapper_.Map(event);
    if (mapped.kind == WindowEvent::kExpose) {
      paintArea = Union(paintArea, mapped.area);
    } else if (mapped.kind != WindowEvent::kNone) {
      events[count++] = mapped;
    }
  }
  return count;
}

bool IGraphicsWin::PumpWhileModal() {
  auto lock = LockPlugin();
  if (window_ == nullptr) return false;
  WindowEvent events[kEventsPerIdle];
  IRectangle paintArea{0, 0, 0, 0};
  const int count = CollectEvents(events, kEventsPerIdle, paintArea);
  for (int i = 0; i < count; ++i) {
    if (events[i].kind == WindowEvent::kDestroyed) window_->MarkDestroyed();
  }
  if (window_->Gone()) return false;
  Tick(paintArea);
  if (!IsEmpty(paintArea)) RedrawArea(paintArea);
  XErrorTrap trap(*connection_);
  if (Surface() != nullptr) presenter_->Stage(*Surface());
  presenter_->Send();
  return true;
}

// The tick closes a text entry that asked for it, or finds what needs redrawing.
void IGraphicsWin::Tick(IRectangle& paintArea) {
  if (TickDue() && !TickEntry()) FindDirtyArea(paintArea);
}

// The tick of the window's timer: every trunc(1000 / frame rate) milliseconds.
bool IGraphicsWin::TickDue() {
  const Clock::time_point now = Clock::now();
  const auto period = std::chrono::milliseconds(FrameRate() > 0 ? 1000 / FrameRate() : 0);
  if (now - lastTick_ < period) return false;
  lastTick_ = now;
  return true;
}

bool IGraphicsWin::PresentRegion(const IRectangle& rect) {
  std::lock_guard<std::recursive_mutex> guard(XDisplayConnection::Lock());
  if (presenter_ == nullptr || Surface() == nullptr) return true;
  presenter_->Add(rect);
  presenter_->Stage(*Surface());
  return true;
}

// X hosts size their own windows when the plug-in tells them; only ours changes here.
void IGraphicsWin::SetEditorSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  auto lock = LockPlugin();
  CloseEntry();  // its control goes with the others
  IGraphics::SetEditorSize(width, height);
  if (window_ == nullptr) return;
  XErrorTrap trap(*connection_);
  presenter_.reset();
  window_->Resize(width, height);
  presenter_ = std::make_unique<XPresenter>(*connection_, window_->Id(), width, height, true);
  presenter_->Add(IRectangle{0, 0, width, height});
}

void IGraphicsWin::HideCursorForDrag() {
  if (cursorHidden_ || window_ == nullptr) return;
  XErrorTrap trap(*connection_);
  if (!window_->PointerOnScreen(savedCursorX_, savedCursorY_)) return;
  window_->HidePointer();
  cursorHidden_ = true;
}

void IGraphicsWin::RestoreCursorAfterDrag() {
  if (!cursorHidden_) return;
  cursorHidden_ = false;
  if (window_ == nullptr) return;
  XErrorTrap trap(*connection_);
  window_->ShowPointerAt(savedCursorX_, savedCursorY_);
}
