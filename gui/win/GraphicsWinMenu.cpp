// The popup menu of IGraphicsWin: the choice menu shown below a rectangle of the editor
// in the look of the control that asked for it, modal, with the editor drawing on.

#include "gui/Control.h"
#include "gui/win/GraphicsWin.h"
#include "gui/win/MenuPanels.h"
#include "gui/win/XErrorTrap.h"
#include "gui/win/XPopupMenu.h"

namespace {
constexpr PIX_PixelValue kOpaque = 0xFF000000;
}  // namespace

DialogLook IGraphicsWin::LookOf(const ITextStyle& style) {
  ITextStyle copy = style;
  copy.resolvedFont = nullptr;
  copy.orientation = 0;  // dialogs and fields are never turned
  DialogLook look;
  look.font = ResolveFont(copy);
  look.ground = style.entryBackground.Packed() | kOpaque;
  look.text = style.entryTextColour.Packed() | kOpaque;
  return look;
}

DialogLook IGraphicsWin::LookOfPressedControl() {
  const IControl* control = Control(CapturedControl());
  return LookOf(control != nullptr ? control->TextStyle() : ITextStyle());
}

// The menu takes the pointer, and with it the release of the press that opened it: the
// press handler lets go of the pointer once the menu is done (so for every dialog).
IChoiceMenu* IGraphicsWin::RunPopupMenu(IChoiceMenu& menu, const IRectangle& rect) {
  if (window_ == nullptr) return nullptr;
  const DialogLook look = LookOfPressedControl();
  dialogTookPointer_ = true;
  const MenuPanels panels(menu);
  int screenX = 0, screenY = 0;
  {
    XErrorTrap trap(*connection_);
    window_->ToScreen(rect.left, rect.bottom, screenX, screenY);
  }
  XPopupMenu popup(*connection_, panels, look);
  int identifier = -1;
  {
    DialogWait wait(idleLock_);
    identifier = popup.Run(screenX, screenY, [this] { return PumpWhileModal(); });
  }
  if (window_ != nullptr) RedrawArea(IRectangle{0, 0, Width(), Height()});
  return panels.Choose(identifier);
}
