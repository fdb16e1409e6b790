#pragma once
// The window a host gives a plug-in's editor on an X display: a connection of its own
// (opened without XInitThreads, as hosts do), a top-level window titled with the plug-in's
// name that takes part in the window manager's WM_DELETE_WINDOW protocol, an event pump
// that never blocks, the pointer moved and clicked through the XTest extension, and a
// picture of what the window shows.
//
// The pump takes only the events of the top-level window itself: an editor that draws
// through this connection (its Display* is handed to effEditOpen) reads its own events.

#include <memory>
#include <string>

class PIX_MemBitmap;

class EditorWindow {
 public:
  // Connects to the display that DISPLAY names; null with a one-line reason in error.
  static std::unique_ptr<EditorWindow> Connect(std::string* error);
  // Destroys the window and closes the connection.
  ~EditorWindow();
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  // Creates the window, not yet shown, at the top left of the screen.
  void Create(const std::string& title, int width, int height);
  void Resize(int width, int height);
  void Show();

  // What effEditOpen receives: the window's id and the connection's Display*.
  unsigned long WindowId() const;
  void* NativeDisplay() const;

  // Handles the window's waiting events without blocking.
  void HandleEvents();
  // True once the window manager asked to close the window or the window was destroyed.
  bool Closed() const;
  // Returns when the server has carried out every request sent so far.
  void Sync();

  // False with a one-line reason when the server cannot move the pointer (no XTest).
  bool CanMovePointer(std::string* error) const;
  // Moves the pointer to x, y of the window, as a person's mouse would.
  void MovePointer(int x, int y);
  // Presses or releases a pointer button (1 left, 4 wheel up, 5 wheel down).
  void SetButton(int button, bool pressed);

  // The window's pixels as it shows them, child windows included, as opaque 0xAARRGGBB;
  // a window reaching beyond the screen gives its part on the screen. False with a
  // one-line reason in error when the window is not shown.
  bool Capture(PIX_MemBitmap* pixels, std::string* error);

 private:
  struct Native;
  explicit EditorWindow(std::unique_ptr<Native> native);

  std::unique_ptr<Native> native_;
};
