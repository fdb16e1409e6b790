#pragma once
// The editor as a plug-in module hosts it: its images come from the module's resources.
// Until it has a window it draws only into its own surface; window, dialogs and desktop
// services answer that there is none.

#include "gui/Graphics.h"
#include "platform/ModuleResources.h"

class IGraphicsWin : public IGraphics {
 public:
  IGraphicsWin(IEffectBase* plugin, int width, int height, int frameRate);

  // The resources of the module the editor belongs to; images load from there.
  void SetModuleHandle(const ModuleResources* module) { module_ = module; }

  // The image of resource number, of type "PNG", when fileName ends in ".png" (any case).
  // Its size is read at once and its pixels decoded when it is first drawn.
  PIX_IBitmap* LoadResourceImage(int number, const char* fileName) override;

  bool PresentRegion(const IRectangle& rect) override;
  void CancelTextEntry() override {}
  int ShowMessage(const char* text, const char* caption, int type) override;
  IChoiceMenu* RunPopupMenu(IChoiceMenu& menu, const IRectangle& rect) override;
  void BeginTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect,
                      const char* text, IEffectParameter* parameter) override;
  void GetHostModulePath(std::string& path) override { path.clear(); }
  void GetPluginModulePath(std::string& path) override { path.clear(); }
  void GetDesktopFolder(std::string& path) override { path.clear(); }
  void GetAppDataFolder(std::string& path, bool allUsers) override;
  void GetUserAppDataFolder(std::string& path) override { GetAppDataFolder(path, false); }
  void ChooseFile(std::string& fileName, IFileAction action, std::string& folder,
                  const char* extensions) override;
  bool PickColour(IArgbColour& colour, const char* prompt) override;
  bool OpenLink(const char* url, const char* title, const char* confirmation,
                const char* failure) override;
  bool OpenEditorWindow(void* parentWindow) override;
  void CloseEditorWindow() override {}
  void* NativeWindow() override { return nullptr; }
  bool ReadClipboardText(std::string& text) override;
  void GraphicsHookD() override {}

 private:
  const ModuleResources* module_ = nullptr;
};
