#pragma once
// A rectangle of the editor that draws itself and reacts to the pointer. It holds the
// parameter it is bound to, its normalised value and the flags that drive redrawing, and
// gives every event a default behaviour that the control kinds replace.

#include <cstdint>
#include <string>
#include <vector>

#include "gui/BlendSpec.h"
#include "gui/KeyCode.h"
#include "gui/MouseModifiers.h"
#include "gui/TextStyle.h"
#include "raster/Rectangle.h"

class IEffectBase;
class IGraphics;

// Which way a knob or fader moves.
enum IDirection : int32_t { DIRECTION_VERTICAL = 0, DIRECTION_HORIZONTAL = 1 };

// A further parameter a control shows, with the value last received for it.
struct IAuxParam {
  double value;
  int32_t paramIdx;
};

class IControl {
 public:
  IControl(IEffectBase* plugin, const IRectangle& rect, int paramIdx = -1,
           const IBlendSpec& blend = kDefaultBlend);
  virtual ~IControl() = default;
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // A right-button press asks for a value; other presses do nothing.
  virtual void HandleMousePress(int x, int y, const IMouseModifiers& modifiers);
  virtual void HandleMouseRelease(int, int, const IMouseModifiers&) {}
  virtual void HandleMouseDrag(int, int, int, int, const IMouseModifiers&) {}
  // Restores the default value, once one is known.
  virtual void HandleDoubleClick(int x, int y, const IMouseModifiers& modifiers);
  virtual void HandleWheel(int, int, const IMouseModifiers&, int) {}
  virtual bool HandleKey(int, int, IKeyCode) { return false; }
  virtual void HandleMouseHover(int, int, const IMouseModifiers&) {}
  virtual void HandleMouseLeave() {}
  virtual bool Render(IGraphics& graphics) = 0;
  // Stores a value from the plug-in; the first one received becomes the default.
  virtual void ApplyValueFromPlugin(double value);
  // Stores a value the user entered and passes it to the plug-in.
  virtual void ApplyValueFromEntry(double value);
  // Receives the text of an entry that has no parameter.
  virtual void ApplyTextFromEntry(const char*) {}
  virtual void SetHidden(bool hidden);
  // A greyed control ignores the pointer and draws at a quarter opacity.
  virtual void SetGreyed(bool greyed);
  virtual bool HitTest(int x, int y);
  // Clamps the value, marks the control for redrawing and, with notifyPlugin, passes the
  // value to the bound parameter.
  virtual void MarkDirty(bool notifyPlugin);
  // Called by the redraw pass; keeps the control dirty for one more pass when asked.
  virtual void MarkDrawn();
  virtual bool NeedsRedraw() { return dirty_; }
  virtual void ControlHook() {}
  virtual void ApplyAuxValueFromPlugin(int position, double value);

  // Asks the user for a new value of the bound parameter, when prompting is enabled.
  void PromptForValue();

  const IRectangle& Rect() const { return rect_; }
  const IRectangle& TargetRect() const { return targetRect_; }
  int ParamIdx() const { return paramIdx_; }
  double Value() const { return value_; }
  double DefaultValue() const { return defaultValue_; }
  const IBlendSpec& Blend() const { return blend_; }
  const ITextStyle& TextStyle() const { return textStyle_; }
  int EntryLengthLimit() const { return entryLengthLimit_; }
  bool IsHidden() const { return hidden_; }
  bool IsGreyed() const { return greyed_; }
  bool DoubleClickAsPress() const { return doubleClickAsPress_; }
  void SetDoubleClickAsPress(bool asPress) { doubleClickAsPress_ = asPress; }
  bool HoverWhenGreyed() const { return hoverWhenGreyed_; }
  void SetHoverWhenGreyed(bool hover) { hoverWhenGreyed_ = hover; }
  void SetPromptingDisabled(bool disabled) { promptingDisabled_ = disabled; }
  const std::string& Tooltip() const { return tooltip_; }
  void SetTooltip(const char* text) { tooltip_ = text != nullptr ? text : ""; }

  // Binds a further parameter; ForwardParamToControls then delivers its values too.
  void AddAuxParam(int paramIdx);
  // Position of the first auxiliary binding of paramIdx, or -1.
  int AuxParamPosition(int paramIdx) const;
  double AuxValue(int position) const;

 protected:
  // Wheel steps move the value by 0.01 each, 0.001 for fine steps.
  void StepValueByWheel(const IMouseModifiers& modifiers, int steps);

  int32_t entryLengthLimit_ = 7;
  ITextStyle textStyle_;
  IEffectBase* plugin_;
  IRectangle rect_;
  IRectangle targetRect_;
  int32_t paramIdx_;
  std::vector<IAuxParam> auxParams_;
  double value_ = 0.0;
  double defaultValue_ = -1.0;
  double clampLow_ = 0.0;
  double clampHigh_ = 1.0;
  bool dirty_ = true;
  bool hidden_ = false;
  bool greyed_ = false;
  bool redrawAgain_ = false;
  bool promptingDisabled_ = true;
  bool doubleClickAsPress_ = false;
  bool hoverWhenGreyed_ = false;
  IBlendSpec blend_;
  std::string tooltip_;
};
