// The editor's in-place text field: what it lets be typed, and how Return, Escape, clicks
// and closing the editor end it on the tick.

#include <cmath>

#include "DialogFixture.h"
#include "gui/Control.h"
#include "gui/win/EntryText.h"

TEST(EntryText, FiltersTypingByKindWithinTheLengthLimit) {
  EntryText decimal("0.0", 7, EntryText::kDecimalNumber);
  for (const char c : std::string("a-1b2.5+%")) decimal.Type(c);
  EXPECT_EQ(decimal.Text(), "-12.5+");  // typing replaced the selected text
  decimal.Backspace();
  decimal.MoveTo(0, false);
  decimal.Delete();
  EXPECT_EQ(decimal.Text(), "12.5");

  EntryText whole("", 7, EntryText::kWholeNumber);
  for (const char c : std::string("1.5-+")) whole.Type(c);
  EXPECT_EQ(whole.Text(), "15-+");

  EntryText any("", 4, EntryText::kAnyCharacter);
  for (const char c : std::string("Warm up")) any.Type(c);
  EXPECT_EQ(any.Text(), "Warm");
  any.MoveTo(1, false);
  any.MoveTo(3, true);
  EXPECT_TRUE(any.Type('o'));  // the selection makes room
  EXPECT_EQ(any.Text(), "Wom");
}

using TextEntry = DialogTest;

// The demonstration's Level box opens a field with the value selected.
TEST_F(TextEntry, ReturnCommitsWhatTheFieldTookAndEscapeCancels) {
  AEffect* effect = OpenDemo();
  ClickEditor(effect, kLevelX, kBoxY);
  Type(effect, "x-1y2.5z");
  Keys(effect, {XK_BackSpace});
  Type(effect, "3");
  Keys(effect, {XK_Return});
  EXPECT_NEAR(Parameter(effect, kLevel).PlainValue(), -12.3, 1e-9);

  ClickEditor(effect, kLevelX, kBoxY + 10);  // apart, or it were a double click
  Type(effect, "+5");
  Keys(effect, {XK_Escape});
  EXPECT_NEAR(Parameter(effect, kLevel).PlainValue(), -12.3, 1e-9);

  ClickEditor(effect, kLevelX, kBoxY + 20);
  Type(effect, "+5");
  Keys(effect, {XK_Return});
  EXPECT_NEAR(Parameter(effect, kLevel).PlainValue(), 5.0, 1e-9);
}

// The press goes to the entry only: the Mode box under it opens no menu.
TEST_F(TextEntry, AClickElsewhereInTheEditorCommits) {
  AEffect* effect = OpenDemo();
  ClickEditor(effect, kLevelX, kBoxY);
  Type(effect, "7");
  ClickEditor(effect, kModeX, kBoxY);
  EXPECT_NEAR(Parameter(effect, kLevel).PlainValue(), 7.0, 1e-9);
  EXPECT_EQ(Parameter(effect, kMode).PlainValue(), 0.0);
  EXPECT_EQ(Children(reinterpret_cast<Window>(Editor(effect).NativeWindow())).size(), 0u);
}

// What the field refuses to have typed it also refuses from the clipboard.
TEST_F(TextEntry, CtrlVPastesTheClipboardThroughTheFilter) {
  AEffect* effect = OpenDemo();
  if (!OfferOnClipboard("-3.5 dB", "UTF8_STRING")) GTEST_SKIP() << "xclip is not installed";
  ClickEditor(effect, kLevelX, kBoxY);
  Chord(effect, XK_Control_L, XK_v);
  Keys(effect, {XK_Return});
  EXPECT_NEAR(Parameter(effect, kLevel).PlainValue(), -3.5, 1e-9);
}

TEST_F(TextEntry, AnEnumerationTakesTheValueOfItsDisplayTextOrZero) {
  AEffect* effect = OpenDemo();
  IGraphicsWin& editor = Editor(effect);
  IControl* modeBox = editor.Control(0);
  IEffectParameter* mode = &Parameter(effect, kMode);
  for (const char* text : {"Bright", "Loud"}) {
    editor.BeginTextEntry(modeBox, modeBox->TextStyle(), {10, 30, 90, 50}, text, mode);
    Idle(effect);
    Keys(effect, {XK_Return});
    EXPECT_EQ(mode->PlainValue(), std::string(text) == "Bright" ? 2.0 : 0.0) << text;
  }
  // An upside-down rectangle still gives a field, which CancelTextEntry closes unused.
  mode->SetClamped(1.0);
  editor.BeginTextEntry(modeBox, modeBox->TextStyle(), {90, 50, 10, 30}, "Bright", mode);
  Idle(effect);
  ASSERT_EQ(Children(reinterpret_cast<Window>(editor.NativeWindow())).size(), 1u);
  editor.CancelTextEntry();
  Idle(effect);
  EXPECT_EQ(mode->PlainValue(), 1.0);
  EXPECT_EQ(Children(reinterpret_cast<Window>(editor.NativeWindow())).size(), 0u);
}

TEST_F(TextEntry, ClosingTheEditorWithTheFieldOpenIsSafe) {
  AEffect* effect = OpenDemo();
  ClickEditor(effect, kLevelX, kBoxY);
  Type(effect, "3");
  Dispatch(effect, effEditClose);
  Idle(effect);
  EXPECT_EQ(Parameter(effect, kLevel).PlainValue(), 0.0);
  ASSERT_EQ(OpenEditor(effect, NewParent(300, 72)), 1);
  Idle(effect);
  ClickEditor(effect, kLevelX, kBoxY + 10);
  Type(effect, "4");
  Keys(effect, {XK_Return});
  EXPECT_NEAR(Parameter(effect, kLevel).PlainValue(), 4.0, 1e-9);
}
