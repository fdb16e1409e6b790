#pragma once
// What the plug-in object needs of its editor. The editor's graphics object implements
// it; the plug-in owns the editor through this interface.

class IEditor {
 public:
  virtual ~IEditor() = default;
  // Moves a parameter value into the controls bound to parameter index.
  virtual void ForwardParamToControls(int index, double value, bool normalised) = 0;
  // Creates the drawing surface once the controls are in place.
  virtual void PrepareSurfaces() = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Creates the editor window inside the host's parent window; false when none was made.
  virtual bool OpenEditorWindow(void* parentWindow) = 0;
  virtual void CloseEditorWindow() = 0;
  // Handles the window's pending events and redraws; hosts call it often from their
  // user-interface thread. Nothing for an editor whose window needs no such calls.
  virtual void Idle() {}
  // A key the host passes on, as a PC virtual-key code; true when the editor used it.
  virtual bool HostKeyPressed(int /*virtualKey*/) { return false; }
};
