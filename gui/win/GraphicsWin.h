#pragma once
// The editor as a plug-in module hosts it: its images come from the module's resources,
// and it shows itself in an X window inside the host's parent window. Linux hosts give
// plug-ins no thread of their own for the window: Idle(), which they call from their
// user-interface thread through effEditIdle, handles the window's events and runs the
// redraw tick. Dialogs are the desktop's (through zenity or kdialog) or windows of our
// own; while one is up the editor keeps drawing but takes no input.

#include <chrono>
#include <memory>
#include <string>

#include "core/EffectLockGuard.h"
#include "gui/Graphics.h"
#include "gui/win/DialogLook.h"
#include "gui/win/WindowEvent.h"
#include "gui/win/XEditorWindow.h"
#include "gui/win/XEventMapper.h"
#include "gui/win/XPresenter.h"
#include "gui/win/XTextEntry.h"
#include "gui/win/XTooltip.h"
#include "platform/ModuleResources.h"

class IGraphicsWin : public IGraphics {
 public:
  IGraphicsWin(IEffectBase* plugin, int width, int height, int frameRate);
  ~IGraphicsWin() override;

  // The resources of the module the editor belongs to; images load from there.
  void SetModuleHandle(const ModuleResources* module) { module_ = module; }

  // The image of resource number, of type "PNG", when fileName ends in ".png" (any case).
  // Its size is read at once and its pixels decoded when it is first drawn.
  PIX_IBitmap* LoadResourceImage(int number, const char* fileName) override;

  // Copies rect of the surface for the window; the server gets it at the end of the idle
  // call.
  bool PresentRegion(const IRectangle& rect) override;
  // The open text entry closes without a value on the next tick.
  void CancelTextEntry() override;
  void SetEditorSize(int width, int height) override;
  const char* BackendName() override { return "X11"; }
  int ShowMessage(const char* text, const char* caption, int type) override;
  IChoiceMenu* RunPopupMenu(IChoiceMenu& menu, const IRectangle& rect) override;
  void BeginTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect,
                      const char* text, IEffectParameter* parameter) override;
  void GetHostModulePath(std::string& path) override;
  void GetPluginModulePath(std::string& path) override;
  void GetDesktopFolder(std::string& path) override;
  void GetAppDataFolder(std::string& path, bool allUsers) override;
  void GetUserAppDataFolder(std::string& path) override { GetAppDataFolder(path, false); }
  void ChooseFile(std::string& fileName, IFileAction action, std::string& folder,
                  const char* extensions) override;
  bool PickColour(IArgbColour& colour, const char* prompt) override;
  bool OpenLink(const char* url, const char* title, const char* confirmation,
                const char* failure) override;
  // parentWindow is the host's X window id. A window already open moves into the new
  // parent at its old position.
  bool OpenEditorWindow(void* parentWindow) override;
  void CloseEditorWindow() override;
  // The X window id, null while closed.
  void* NativeWindow() override;
  bool ReadClipboardText(std::string& text) override;
  void HideCursorForDrag() override;
  void RestoreCursorAfterDrag() override;
  void GraphicsHookD() override {}

  // Handles the window's queued events (a bounded number per call, exposures merged into
  // one paint) and runs the redraw tick when 1000 / frame rate milliseconds have passed.
  void Idle() override;
  // A key the host passes on; true when a control used it. A key that already came as
  // an X event shortly before is dropped, and the other way round.
  bool HostKeyPressed(int virtualKey) override;

 private:
  using Clock = std::chrono::steady_clock;
  using PluginLock = std::unique_lock<IEffectMutex>;
  // While a dialog waits for the user the idle call's hold on the plug-in mutex is given
  // up, so that audio goes on; each round of the dialog's pump takes the mutex again.
  class DialogWait {
   public:
    explicit DialogWait(PluginLock* idleLock)
        : lock_(idleLock != nullptr && idleLock->owns_lock() ? idleLock : nullptr) {
      if (lock_ != nullptr) lock_->unlock();
    }
    ~DialogWait() {
      if (lock_ != nullptr) lock_->lock();
    }
    DialogWait(const DialogWait&) = delete;
    DialogWait& operator=(const DialogWait&) = delete;

   private:
    PluginLock* lock_;
  };
  struct RecentKey {
    int key = -1;
    Clock::time_point at;
  };

  // One round of the editor's life while a dialog is up: exposures are painted, the tick
  // runs and the pixels go out; pointer and key input is dropped. False once the editor
  // window is closed or gone, which ends the dialog.
  bool PumpWhileModal();
  // The host's main window, found once and remembered with its class name; 0 for none.
  XResourceId HostMainWindow();
  int RunMessageBox(const char* text, const char* caption, int type, XResourceId owner);
  void HandleEntryEvents();
  void PasteIntoEntry();
  // A press or wheel turn in the editor while a text entry is open.
  void InterruptEntry(const WindowEvent& event);
  // The tick's part for the text entry; true when it closed the entry or skips the redraw.
  bool TickEntry();
  void CommitEntry();
  void CloseEntry();
  // The dialog look of a text style: its font and its entry colours.
  DialogLook LookOf(const ITextStyle& style);
  // The look of the control the pointer pressed, or of the default style.
  DialogLook LookOfPressedControl();
  // True when key came the other way within a short time; that arrival is used up.
  static bool TakeDuplicate(RecentKey& other, int key, Clock::time_point now);
  // The plug-in mutex, held by whatever touches the editor or the plug-in.
  PluginLock LockPlugin() const;
  // Takes the window down; the pointer's capture is the caller's.
  void DestroyWindow();
  // False when the window is closed or went away.
  bool HandleEventsAndRedraw();
  int CollectEvents(WindowEvent* events, int capacity, IRectangle& paintArea);
  void Tick(IRectangle& paintArea);
  bool TickDue();
  void HandleWindowEvent(const WindowEvent& event);
  void HandleEventWithEntry(const WindowEvent& event);
  void HandlePress(const WindowEvent& event);
  void HandleRelease(const WindowEvent& event);
  void HandleWheel(const WindowEvent& event);
  void HandleMotion(const WindowEvent& event);
  void HandleLeave();
  void HandleKey(const WindowEvent& event);
  void TrackTooltip(int x, int y);
  void ShowRestingTooltip();
  void HideTooltip();

  const ModuleResources* module_ = nullptr;
  XDisplayConnection* connection_ = nullptr;
  std::unique_ptr<XEditorWindow> window_;
  std::unique_ptr<XPresenter> presenter_;
  std::unique_ptr<XTooltip> tooltip_;
  XEventMapper mapper_;
  Clock::time_point lastTick_;
  bool pointerCaptured_ = false;
  int pointerX_ = -1;
  int pointerY_ = -1;
  int tooltipControl_ = -1;
  bool hoverPending_ = false;
  bool imagesDecoded_ = false;
  enum EntryState {
    kEntryIdle = 0,
    kEntryFocused = 1,
    kEntryRedrawn = 2,
    kEntryCancel = 3,
    kEntryCommit = 4,
  };
  std::unique_ptr<XTextEntry> entry_;
  IControl* entryControl_ = nullptr;
  IEffectParameter* entryParameter_ = nullptr;
  int entryState_ = kEntryIdle;
  PluginLock* idleLock_ = nullptr;  // the idle call's, while it handles events
  XResourceId hostMainWindow_ = 0;
  std::string hostMainClass_;
  // A dialog ran while a press was handled: the release went to it.
  bool dialogTookPointer_ = false;
  Clock::time_point hoverSince_;
  RecentKey lastWindowKey_;
  RecentKey lastHostKey_;
};
