// The desktop services of IGraphicsWin: the module's and the desktop's folders, the file
// and colour dialogs of the desktop, and opening web links.

#include "gui/win/GraphicsWin.h"
#include "gui/win/XErrorTrap.h"
#include "gui/win/XMessageBox.h"
#include "gui/win/XTopLevelAncestor.h"
#include "platform/DesktopDialogs.h"
#include "platform/LinkOpener.h"
#include "platform/ModulePaths.h"
#include "platform/SpecialFolders.h"

void IGraphicsWin::GetHostModulePath(std::string& path) { path = HostModuleFolder(); }

void IGraphicsWin::GetPluginModulePath(std::string& path) { path = PluginModuleFolder(); }

void IGraphicsWin::GetDesktopFolder(std::string& path) { path = DesktopFolder(); }

void IGraphicsWin::GetAppDataFolder(std::string& path, bool allUsers) {
  path = AppDataFolder(allUsers);
}

void IGraphicsWin::ChooseFile(std::string& fileName, IFileAction action, std::string& folder,
                              const char* extensions) {
  if (window_ == nullptr) {
    fileName.clear();
    return;
  }
  dialogTookPointer_ = true;
  DialogWait wait(idleLock_);
  ChooseFileWithDesktop(fileName, action == FILE_SAVE, folder, extensions,
                        [this] { return PumpWhileModal(); });
}

// The colour's alpha stays as it was.
bool IGraphicsWin::PickColour(IArgbColour& colour, const char* prompt) {
  if (window_ == nullptr) return false;
  RgbColour chosen{colour.red, colour.green, colour.blue};
  dialogTookPointer_ = true;
  DialogWait wait(idleLock_);
  if (!ChooseColourWithDesktop(chosen, prompt, [this] { return PumpWhileModal(); })) return false;
  colour.red = chosen.red;
  colour.green = chosen.green;
  colour.blue = chosen.blue;
  return true;
}

XResourceId IGraphicsWin::HostMainWindow() {
  if (hostMainWindow_ != 0 || window_ == nullptr) return hostMainWindow_;
  XErrorTrap trap(*connection_);
  hostMainWindow_ = TopLevelAncestor(*connection_, window_->Id(), hostMainClass_);
  return hostMainWindow_;
}

int IGraphicsWin::ShowMessage(const char* text, const char* caption, int type) {
  return RunMessageBox(text, caption, type, HostMainWindow());
}

// Without an editor window there is no display to show the box on: the answer is none.
int IGraphicsWin::RunMessageBox(const char* text, const char* caption, int type,
                                XResourceId owner) {
  if (window_ == nullptr) return MessageAnswer::kNone;
  XMessageBox box(*connection_, LookOfPressedControl(), owner);
  dialogTookPointer_ = true;
  DialogWait wait(idleLock_);
  return box.Run(text, caption, type, [this] { return PumpWhileModal(); });
}

// The editor window owns the link's boxes.

bool IGraphicsWin::OpenLink(const char* url, const char* title, const char* confirmation,
                            const char* failure) {
  const XResourceId owner = window_ != nullptr ? window_->Id() : 0;
  if (confirmation != nullptr &&
      RunMessageBox(confirmation, title, MessageType::kYesNo, owner) != MessageAnswer::kYes) {
    return false;
  }
  if (url != nullptr && IsNetworkConnected() && OpenWithDesktop(url)) return true;
  if (failure != nullptr) RunMessageBox(failure, title, MessageType::kOk, owner);
  return false;
}
