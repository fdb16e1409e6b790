#pragma once
// The platform-independent editor: it owns the controls and the off-screen surface they
// draw into, redraws the controls that changed, turns pointer and key events into calls
// on controls, and carries parameter values between the controls and the plug-in. What
// needs a window system (the window, presenting pixels, dialogs, folders, clipboard,
// resource images) is left to a derived class.

#include <memory>
#include <string>
#include <vector>

#include "core/Editor.h"
#include "gui/ArgbColour.h"
#include "gui/BlendSpec.h"
#include "gui/ChoiceMenu.h"
#include "gui/FileAction.h"
#include "gui/ImageStrip.h"
#include "gui/KeyCode.h"
#include "gui/MouseModifiers.h"
#include "gui/TextStyle.h"
#include "raster/Rectangle.h"
#include "raster/SysBitmap.h"

class IControl;
class IEffectBase;
class IEffectParameter;
class PIX_CachedFont;

// A source position in an image strip.
struct IFrameOffset {
  int x;
  int y;
};

class IGraphics : public IEditor {
 public:
  IGraphics(IEffectBase* plugin, int width, int height, int frameRate);
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // Copies rect of the surface to the window.
  virtual bool PresentRegion(const IRectangle& rect) = 0;
  // Sets rect to the box text takes in the style, aligned within rect's horizontal span.
  virtual bool MeasureTextBox(ITextStyle& style, const char* text, IRectangle& rect);
  virtual void CancelTextEntry() = 0;
  // Changes the editor's size: every control is deleted (the caller adds them again) and
  // the surface is made anew.
  virtual void SetEditorSize(int width, int height);
  virtual bool HasWindow() { return NativeWindow() != nullptr; }
  virtual const char* BackendName() { return ""; }
  // Returns the button the user pressed.
  virtual int ShowMessage(const char* text, const char* caption, int type) = 0;
  // Returns the menu that holds the chosen item, or null when nothing was chosen.
  virtual IChoiceMenu* RunPopupMenu(IChoiceMenu& menu, const IRectangle& rect) = 0;
  // Opens an in-place text field over rect; its result goes to the control.
  virtual void BeginTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect,
                              const char* text, IEffectParameter* parameter) = 0;
  virtual void GetHostModulePath(std::string& path) = 0;
  virtual void GetPluginModulePath(std::string& path) = 0;
  virtual void GetDesktopFolder(std::string& path) = 0;
  virtual void GetAppDataFolder(std::string& path, bool allUsers) = 0;
  virtual void GetUserAppDataFolder(std::string& path) = 0;
  virtual void ChooseFile(std::string& fileName, IFileAction action, std::string& folder,
                          const char* extensions) = 0;
  virtual bool PickColour(IArgbColour& colour, const char* prompt) = 0;
  virtual bool OpenLink(const char* url, const char* title, const char* confirmation,
                        const char* failure) = 0;
  virtual int GraphicsHookA(int, int, int, int) { return 0; }
  // Creates the window inside the host's parent window; NativeWindow() then names it.
  bool OpenEditorWindow(void* parentWindow) override = 0;
  virtual void GraphicsHookB(int) {}
  virtual void GraphicsHookC() {}
  void CloseEditorWindow() override = 0;
  // The native window, null while none is open.
  virtual void* NativeWindow() = 0;
  virtual bool ReadClipboardText(std::string& text) = 0;
  ~IGraphics() override;
  virtual void HideCursorForDrag() {}
  virtual void RestoreCursorAfterDrag() {}
  virtual void GraphicsHookD() = 0;
  // Decodes the image resource number into a new bitmap owned by the caller; null when it
  // cannot be found or decoded.
  virtual PIX_IBitmap* LoadResourceImage(int number, const char* fileName) = 0;

  // IEditor.
  void ForwardParamToControls(int index, double value, bool normalised) override;
  void PrepareSurfaces() override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }

  // Building the editor.
  // Takes ownership of control and returns its index; -1 when control is null.
  int AddControl(IControl* control);
  // Puts an opaque bitmap control with the image under every other control. Nothing when
  // the image cannot be loaded.
  void SetBackgroundImage(int number, const char* fileName);
  // The image from the image cache (loaded into it on first use) with the given framing;
  // a null image and zero size when it cannot be loaded.
  IImageStrip LoadImageStrip(int number, const char* fileName, int frameCount = 1,
                             bool framesHorizontal = false);

  // Events from the window, in client pixels.
  void MousePressed(int x, int y, const IMouseModifiers& modifiers);
  void MouseReleased(int x, int y, const IMouseModifiers& modifiers);
  void MouseDragged(int x, int y, const IMouseModifiers& modifiers);
  // True when the click counts as a press and the window should capture the pointer.
  bool MouseDoubleClicked(int x, int y, const IMouseModifiers& modifiers);
  // True while the window should keep reporting pointer movement.
  bool MouseHovered(int x, int y, const IMouseModifiers& modifiers);
  void MouseLeftWindow();
  bool KeyPressed(int x, int y, IKeyCode key);
  // The index of the captured control, or of the topmost visible, enabled control under
  // (x, y); -1 for none.
  int FindControlAt(int x, int y, bool forHover) const;

  // The redraw pass. FindDirtyArea sets area to the union of the dirty controls (area
  // comes in empty) and tells whether there were any; RedrawArea draws the controls that
  // touch area into the surface and presents it.
  bool FindDirtyArea(IRectangle& area) const;
  bool RedrawArea(const IRectangle& area);

  // Drawing into the surface, clipped to the area of the pass in progress.
  bool BlitImage(const IImageStrip& strip, const IRectangle& dest, int sourceX, int sourceY,
                 const IBlendSpec* blend);
  // The source position of frame (counted from 1) within the strip.
  static IFrameOffset FrameOffset(const IImageStrip& strip, int frame);
  // BlitImage of one frame (counted from 1) of the strip.
  bool BlitFrame(const IImageStrip& strip, const IRectangle& dest, int frame,
                 const IBlendSpec* blend);
  // The system font of the style, created and cached on first use; null when none can be
  // made.
  PIX_CachedFont* ResolveFont(ITextStyle& style);
  // Draws text into rect with the style's font, or (measure) only sets rect to its box.
  bool RenderTextBox(ITextStyle& style, const char* text, IRectangle& rect, bool measure);
  // Draws text with a bitmap font: the strip holds one frame per character from the space
  // character on. Lines of charWidth-wide cells, wrapped at rect's width when wrap is set.
  void RenderGlyphText(const IImageStrip& strip, const IRectangle& rect, const ITextStyle& style,
                       const IBlendSpec* blend, const char* text, bool centreVertically,
                       bool wrap, int charWidth, int charHeight, int charSpacing);

  // Asks the user for a new value of parameter with a menu or a text field over rect.
  void PromptParamEntry(IControl* control, IEffectParameter* parameter, const IRectangle& rect);

  IEffectBase* Plugin() const { return plugin_; }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // Null when index is outside 0..ControlCount()-1.
  IControl* Control(int index) const;
  PIX_SysBitmap* Surface() const { return surface_.get(); }
  int FrameRate() const { return frameRate_; }
  int CapturedControl() const { return captured_; }
  bool HandlesMouseOver() const { return handleMouseOver_; }
  void SetHandlesMouseOver(bool handle) { handleMouseOver_ = handle; }
  bool TooltipsWanted() const { return tooltipsWanted_; }
  void SetTooltipsWanted(bool wanted) { tooltipsWanted_ = wanted; }

 protected:
  // Ends the gesture of the last press if it is still open, then forgets the captured
  // control and the last pointer position.
  void ReleasePointer();

  bool cursorHidden_ = false;
  int savedCursorX_ = -1;
  int savedCursorY_ = -1;

 private:
  void ForgetPointer();
  // Sends the end of the gesture the last press began, once.
  void EndOpenGesture();
  PIX_IBitmap* LoadCachedImage(int number, const char* fileName);
  void PromptWithMenu(IControl& control, IEffectParameter& parameter, const IRectangle& rect);
  void PromptWithTextEntry(IControl& control, IEffectParameter& parameter,
                           const IRectangle& rect);

  std::vector<std::unique_ptr<IControl>> controls_;
  IEffectBase* plugin_;
  IRectangle clip_{0, 0, 0, 0};
  std::unique_ptr<PIX_SysBitmap> surface_;
  int width_;
  int height_;
  int frameRate_;
  int captured_ = -1;
  int gestureParam_ = -1;  // the parameter whose gesture a press began and no release ended
  int hovered_ = -1;
  int lastX_ = 0;
  int lastY_ = 0;
  bool handleMouseOver_ = false;
  bool tooltipsWanted_ = false;
};
