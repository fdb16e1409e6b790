// The editor's message boxes, the desktop's dialogs run while the editor keeps drawing,
// links, the clipboard and the folders it names.


#include <chrono>

#include "../platform/StandInPrograms.h"
#include "DialogFixture.h"

namespace {
constexpr int kYesNoCancel = 3;
constexpr int kYesNo = 4;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerNo = 7;

}  // namespace

using Services = DialogTest;

TEST_F(Services, AMessageBoxAnswersWithTheButtonCodes) {
  AEffect* effect = OpenDemo();
  struct Case {
    int type;
    std::vector<KeySym> keys;
    int answer;
  };
  const std::string longText(5000, 'W');
  for (const Case& c : {Case{kYesNoCancel, {XK_Right, XK_Return}, kAnswerNo},
                        Case{kYesNoCancel, {XK_Escape}, kAnswerCancel},
                        Case{kYesNo, {XK_Escape, XK_Tab, XK_Return}, kAnswerNo}}) {
    ScreenHand hand;
    hand.Start([&c](ScreenHand& h) {
      XRectangle box;
      if (!h.WaitForWindow("Question", box)) return;
      for (KeySym k : c.keys) h.Key(k);
    });
    const char* text = c.type == kYesNo ? longText.c_str() : "Keep the change?";
    EXPECT_EQ(Editor(effect).ShowMessage(text, "Question", c.type), c.answer);
    hand.Finish();
  }
}

// PATH holds only stand-ins: the link's opener must not run when the user says No.
TEST_F(Services, DesktopDialogsAndLinksGoThroughTheEditor) {
  AEffect* effect = OpenDemo();
  IGraphicsWin& editor = Editor(effect);
  TemporaryFolder programs;
  WriteStandIn(programs.Path(), "zenity", "rgb(10,20,30)", 0);
  WriteStandIn(programs.Path(), "xdg-open", "", 0);
  ScopedVariable path("PATH", programs.Path().c_str());
  IArgbColour colour{128, 1, 2, 3};
  ASSERT_TRUE(editor.PickColour(colour, "Knob"));
  EXPECT_EQ(colour.alpha, 128);
  EXPECT_EQ(colour.red, 10);
  EXPECT_EQ(colour.blue, 30);

  ScreenHand hand;
  hand.Start([](ScreenHand& h) {
    XRectangle box;
    if (h.WaitForWindow("Website", box)) h.Key(XK_Tab), h.Key(XK_Return);
  });
  EXPECT_FALSE(editor.OpenLink("https://example.org/", "Website", "Open the website?", nullptr));
  hand.Finish();
  EXPECT_TRUE(RecordedArguments(programs.Path(), "xdg-open").empty());

  // Without a window there is nothing to own a dialog.
  Dispatch(effect, effEditClose);
  std::string file = "preset.fxp", folder = "/tmp/";
  editor.ChooseFile(file, FILE_SAVE, folder, "fxp fxb");
  EXPECT_EQ(file, "");
  EXPECT_FALSE(editor.PickColour(colour, nullptr));
  EXPECT_EQ(editor.ShowMessage("text", "caption", 0), 0);
}

TEST_F(Services, ClipboardTextArrivesAsUtf8) {
  AEffect* effect = OpenDemo();
  IGraphicsWin& editor = Editor(effect);
  const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC 12.5";  // Grüße € 12.5
  if (!OfferOnClipboard(text, "UTF8_STRING")) GTEST_SKIP() << "xclip is not installed";
  std::string read;
  EXPECT_TRUE(editor.ReadClipboardText(read));
  EXPECT_EQ(read, text);
  // An owner that offers Latin-1 only.
  ASSERT_TRUE(OfferOnClipboard("\xE9t\xE9", "STRING"));
  EXPECT_TRUE(editor.ReadClipboardText(read));
  EXPECT_EQ(read, "\xC3\xA9t\xC3\xA9");
}

TEST_F(Services, FoldersEndInASlash) {
  AEffect* effect = OpenDemo();
  IGraphicsWin& editor = Editor(effect);
  std::string folder;
  for (auto query : {&IGraphicsWin::GetHostModulePath, &IGraphicsWin::GetPluginModulePath,
                     &IGraphicsWin::GetDesktopFolder, &IGraphicsWin::GetUserAppDataFolder}) {
    (editor.*query)(folder);
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/') << folder;
  }
  editor.GetAppDataFolder(folder, true);
  EXPECT_EQ(folder.back(), '/') << folder;
}

// The desktop's dialog is left when the editor's window goes; its late answer is not used.
TEST_F(Services, ClosingTheEditorEndsADesktopDialog) {
  AEffect* effect = OpenDemo();
  TemporaryFolder programs;
  WriteScript(programs.Path() + "/zenity", "/bin/sleep 5\necho /tmp/chosen.fxp");
  ScopedVariable path("PATH", programs.Path().c_str());
  const auto window = reinterpret_cast<Window>(Editor(effect).NativeWindow());
  ScreenHand hand;
  hand.Start([window](ScreenHand& h) {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    XDestroyWindow(h.display, window);
    XSync(h.display, False);
  });
  std::string file = "preset.fxp", folder = "/tmp/";
  Editor(effect).ChooseFile(file, FILE_OPEN, folder, "fxp");
  hand.Finish();
  EXPECT_EQ(file, "");
  Idle(effect);
  EXPECT_EQ(Editor(effect).NativeWindow(), nullptr);
}
