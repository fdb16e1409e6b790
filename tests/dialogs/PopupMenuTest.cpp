// The editor's popup menu: identifiers and labels as menus number them, and the real menu
// windows worked with the pointer and keys while the editor runs them.

#include "DialogFixture.h"
#include "gui/win/MenuPanels.h"
#include "host/EffectVST.h"

namespace {
// The middle of row (from 0) of a panel whose rows are all commands of equal height.
XPoint RowCentre(const XRectangle& panel, int rows, int row) {
  const int rowHeight = (panel.height - 2) / rows;
  return XPoint{static_cast<short>(panel.x + panel.width / 2),
                static_cast<short>(panel.y + 1 + row * rowHeight + rowHeight / 2)};
}

void AddThree(IChoiceMenu& menu) {
  menu.AddItem("Clean");
  menu.AddItem("Warm");
  menu.AddItem("Bright");
}
}  // namespace

TEST(MenuPanels, NumberLabelsAndGiveSubmenusTheIdentifiersAfterTheirParents) {
  IChoiceMenu numbered(IChoiceMenu::NUMBERING_TWO_DIGIT);
  AddThree(numbered);
  const MenuPanels three(numbered);
  ASSERT_EQ(three.Panels().size(), 1u);
  EXPECT_EQ(three.Panels()[0].rows[0].label, "01: Clean");
  EXPECT_EQ(three.Panels()[0].rows[1].label, "02: Warm");
  EXPECT_EQ(three.Panels()[0].rows[2].label, "03: Bright");
  EXPECT_EQ(three.Panels()[0].rows[0].identifier, 0);

  IChoiceMenu top;
  top.AddItem("First");
  IChoiceMenuItem& more = top.AddItem("More");
  more.submenu = std::make_unique<IChoiceMenu>();
  AddThree(*more.submenu);
  const MenuPanels nested(top);
  ASSERT_EQ(nested.Panels().size(), 2u);
  EXPECT_EQ(nested.Panels()[1].first, 2);
  EXPECT_EQ(nested.Choose(3), more.submenu.get());
  EXPECT_EQ(more.submenu->ChosenIndex(), 1);
  EXPECT_EQ(nested.Choose(0), &top);
  EXPECT_EQ(top.ChosenIndex(), 0);
  EXPECT_EQ(nested.Choose(5), nullptr);
  EXPECT_EQ(nested.Choose(0x10000), nullptr);
}

using PopupMenu = DialogTest;

TEST_F(PopupMenu, TheFirstItemIsChosenWithThePointer) {
  AEffect* effect = OpenDemo();
  IChoiceMenu menu(IChoiceMenu::NUMBERING_TWO_DIGIT);
  AddThree(menu);
  ScreenHand hand;
  hand.Start([](ScreenHand& h) {
    XRectangle panel;
    if (!h.WaitForPanels(1, panel)) return;
    const XPoint first = RowCentre(panel, 3, 0);
    h.Click(first.x, first.y);
  });
  IChoiceMenu* chosen = Editor(effect).RunPopupMenu(menu, {10, 20, 60, 40});
  hand.Finish();
  EXPECT_EQ(chosen, &menu);
  EXPECT_EQ(menu.ChosenIndex(), 0);
}

TEST_F(PopupMenu, KeysWalkIntoASubmenuAndChooseThere) {
  AEffect* effect = OpenDemo();
  IChoiceMenu top;
  top.AddItem("First");
  top.AddItem("", IChoiceMenuItem::ITEM_SEPARATOR);
  top.AddItem("Greyed", IChoiceMenuItem::ITEM_DISABLED);
  IChoiceMenuItem& more = top.AddItem("More");
  more.submenu = std::make_unique<IChoiceMenu>();
  AddThree(*more.submenu);
  ScreenHand hand;
  hand.Start([](ScreenHand& h) {
    XRectangle panel;
    if (!h.WaitForPanels(1, panel)) return;
    // Down skips the separator: First, Greyed, More; Return on Greyed does nothing.
    for (KeySym k : {XK_Down, XK_Down, XK_Return, XK_Down, XK_Right}) h.Key(k);
    if (!h.WaitForPanels(2, panel)) return;
    for (KeySym k : {XK_Down, XK_Return}) h.Key(k);
  });
  IChoiceMenu* chosen = Editor(effect).RunPopupMenu(top, {10, 20, 60, 40});
  hand.Finish();
  EXPECT_EQ(chosen, more.submenu.get());
  EXPECT_EQ(more.submenu->ChosenIndex(), 1);
  EXPECT_EQ(top.ChosenIndex(), -1);
}

// The demonstration's Mode box opens a menu of its display texts.
TEST_F(PopupMenu, EscapeAndAClickOutsideDismissWithoutAChange) {
  AEffect* effect = OpenDemo();
  for (const bool escape : {true, false}) {
    ScreenHand hand;
    bool appeared = false;
    hand.Start([&](ScreenHand& h) {
      XRectangle panel;
      appeared = h.WaitForPanels(1, panel);
      if (escape) {
        h.Key(XK_Escape);
      } else {
        h.Click(panel.x + panel.width + 40, panel.y + panel.height + 20);
      }
    });
    ClickEditor(effect, kModeX, escape ? kBoxY : kBoxY + 10);  // not a double click
    hand.Finish();
    EXPECT_TRUE(appeared) << (escape ? "Escape" : "click");
    EXPECT_EQ(Parameter(effect, kMode).PlainValue(), 0.0);
    EXPECT_EQ(CountRequests(audioMasterAutomate), 0);
  }
  // A menu that offers nothing is not shown; one larger than the screen is cut off.
  IChoiceMenu empty;
  EXPECT_EQ(Editor(effect).RunPopupMenu(empty, {0, 0, 10, 10}), nullptr);
  IChoiceMenu huge;
  for (int i = 0; i < 300; ++i) huge.AddItem(std::string(4000, 'W').c_str());
  ScreenHand hand;
  hand.Start([](ScreenHand& h) {
    XRectangle panel;
    if (h.WaitForPanels(1, panel)) h.Key(XK_Escape);
  });
  EXPECT_EQ(Editor(effect).RunPopupMenu(huge, {0, 0, 10, 10}), nullptr);
}

// The audio thread is not kept waiting for the plug-in mutex while the menu is up.
TEST_F(PopupMenu, AChoiceReachesTheHostInOneGestureAndAudioGoesOnMeanwhile) {
  AEffect* effect = OpenDemo();
  IEffectMutex& mutex = IEffectVST::FromDescriptor(effect)->Mutex();
  bool audioCouldRun = false;
  ScreenHand hand;
  hand.Start([&](ScreenHand& h) {
    XRectangle panel;
    if (!h.WaitForPanels(1, panel)) return;
    audioCouldRun = std::unique_lock<IEffectMutex>(mutex, std::try_to_lock).owns_lock();
    const XPoint bright = RowCentre(panel, 3, 2);
    h.Click(bright.x, bright.y);
  });
  ClickEditor(effect, kModeX, kBoxY);
  hand.Finish();
  EXPECT_TRUE(audioCouldRun);
  EXPECT_EQ(Parameter(effect, kMode).PlainValue(), 2.0);
  EXPECT_EQ(GestureOf(kMode), (std::vector<int32_t>{audioMasterBeginEdit, audioMasterAutomate,
                                                    audioMasterEndEdit}));
}

// The editor's window goes while the menu is up: the menu ends and the editor closes.
TEST_F(PopupMenu, TheEditorClosingEndsTheMenu) {
  AEffect* effect = OpenDemo();
  const auto window = reinterpret_cast<Window>(Editor(effect).NativeWindow());
  ScreenHand hand;
  hand.Start([window](ScreenHand& h) {
    XRectangle panel;
    if (!h.WaitForPanels(1, panel)) return;
    XDestroyWindow(h.display, window);
    XSync(h.display, False);
  });
  ClickEditor(effect, kModeX, kBoxY);
  hand.Finish();
  Idle(effect);
  EXPECT_EQ(Editor(effect).NativeWindow(), nullptr);
  EXPECT_EQ(Parameter(effect, kMode).PlainValue(), 0.0);
}
