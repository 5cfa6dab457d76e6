#include "app/language_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/export/temp_folder.h"

namespace capter {
namespace {

// A small main window and one dialog, as the windows would describe
// themselves.
std::vector<WindowTexts> SampleWindows() {
  WindowTexts main{"Form1", "Capter", {}};
  main.controls.push_back(
      {ControlKind::MainMenu,
       "MainMenu1",
       "",
       "",
       "",
       {},
       {{"File1", "&File", {{"OpenVob1", "&Open Vob(s)", {}}, {"Quit1", "&Quit", {}}}},
        {"Options2", "&Options", {{"GUILanguage1", "GUI &Language", {}}}}}});
  main.controls.push_back(
      {ControlKind::FlatButton, "CoolButtonOpenVob", "", "Open Decrypted Vob(s)", "", {}, {}});
  main.controls.push_back(
      {ControlKind::Button, "ButtonPause", "", "Pause / Continue Vob scanning", "", {}, {}});
  main.controls.push_back(
      {ControlKind::CheckBox, "CheckBoxShowSubPict", "Show Pict.", "", "", {}, {}});
  main.controls.push_back({ControlKind::Other, "SpinEditZoom", "Zoom", "hint", "100", {}, {}});
  WindowTexts bitmap{"Form18", "Bitmap adjustment", {}};
  bitmap.controls.push_back({ControlKind::RadioGroup,
                             "RadioGroupHAlignment",
                             "Horizontal Alignment ( X ) : ",
                             "",
                             "",
                             {"Left", "Center", "Right"},
                             {}});
  bitmap.controls.push_back({ControlKind::Edit, "EditName", "", "", " spaced ", {}, {}});
  return {main, bitmap};
}

class LanguageFiles : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    program_ = dir_.string() + "/";
    std::filesystem::create_directories(dir_ / "lang");
  }
  void WriteLanguage(const std::string& name, const std::string& text) {
    ASSERT_TRUE(WriteFileAtomically(LanguageFilePath(program_, name), text).ok);
  }
  std::string program_;
};

TEST_F(LanguageFiles, MessagesStopAtTheFirstMissingOrEmptyKey) {
  MessageTable messages;
  ApplyMessages(IniFile("[Messages]\r\nMsgStr_0=Zero\r\nMsgStr_2=Two\r\n"), messages);
  EXPECT_EQ(messages.GetMessage(0), "Zero");
  EXPECT_EQ(messages.GetMessage(2), "The Character Matrix is Empty !");
  ApplyMessages(IniFile("[messages]\r\nmsgstr_0=Nul\r\nMsgStr_1=\r\nMsgStr_2=Zwei\r\n"), messages);
  EXPECT_EQ(messages.GetMessage(0), "Nul");
  EXPECT_EQ(messages.GetMessage(2), "The Character Matrix is Empty !");
  EXPECT_EQ(messages.Size(), 61u);
}

TEST_F(LanguageFiles, MessagesBeyondTheBuiltInOnesAreAppended) {
  std::string text = "[Messages]\r\n";
  for (int n = 0; n < 62; ++n)
    text += "MsgStr_" + std::to_string(n) + "=m" + std::to_string(n) + "\r\n";
  MessageTable messages;
  ApplyMessages(IniFile(text), messages);
  ASSERT_EQ(messages.Size(), 62u);
  EXPECT_EQ(messages.GetMessage(56), "m56");
  EXPECT_EQ(messages.GetMessage(61), "m61");
}

TEST_F(LanguageFiles, OnlyExistingKeysOfExistingItemsChangeTexts) {
  auto windows = SampleWindows();
  ApplyWindowTexts(IniFile("[Form18]\r\nForm18.RadioGroupHAlignment.Items1=Mitte\r\n"
                           "Form18.RadioGroupHAlignment.Items5=Nirgends\r\n"
                           "Form18.Form18.Caption=Bildanpassung\r\n"
                           "[Form1]\r\nForm1.SpinEditZoom.Caption=Zoomfaktor\r\n"
                           "Form1.CoolButtonOpenVob.Caption=Nope\r\n"
                           "Form1.ButtonPause.Hint=\r\n"
                           "[Form1.MainMenu1]\r\nForm1.MainMenu1.File1.Quit1=&Beenden\r\n"),
                   windows);
  const auto expected = [] {
    auto w = SampleWindows();
    w[1].controls[0].items[1] = "Mitte";
    w[1].caption = "Bildanpassung";
    w[0].controls[2].hint = "";  // an existing key, even empty, replaces the text
    w[0].controls[0].menu[0].items[1].caption = "&Beenden";
    return w;
  }();
  EXPECT_EQ(windows, expected);
  EXPECT_EQ(windows[1].controls[0].items.size(), 3u);
}

TEST_F(LanguageFiles, ALanguageThatDoesNotNameATextKeepsThePreviousOne) {
  WriteLanguage("Deutsch", "[Form1]\r\nForm1.CheckBoxShowSubPict.Caption=Bild zeigen\r\n");
  WriteLanguage("Other", "[Form1]\r\nForm1.Form1.Caption=Kapter\r\n");
  auto windows = SampleWindows();
  MessageTable messages;
  ASSERT_TRUE(LoadLanguage(program_, "Deutsch", windows, messages).ok);
  ASSERT_TRUE(LoadLanguage(program_, "Other", windows, messages).ok);
  EXPECT_EQ(windows[0].controls[3].caption, "Bild zeigen");
  EXPECT_EQ(windows[0].caption, "Kapter");
  // A missing file changes nothing and is no error.
  const auto before = windows;
  ASSERT_TRUE(LoadLanguage(program_, "Gone", windows, messages).ok);
  EXPECT_EQ(windows, before);
  EXPECT_EQ(messages.Size(), 61u);
}

TEST_F(LanguageFiles, TheTemplateHoldsEveryTextAndReadsBackTheSame) {
  const auto windows = SampleWindows();
  MessageTable messages;
  ASSERT_TRUE(SaveLanguageTemplate(program_, windows, messages).ok);
  std::string text;
  ASSERT_TRUE(ReadWholeFile(LanguageFilePath(program_, "New_LangFile"), text).ok);
  EXPECT_EQ(text.substr(0, 37), "[Form1]\r\nForm1.Form1.Caption=Capter\r\n");
  EXPECT_NE(text.find("\r\n[Form1.MainMenu1]\r\nForm1.MainMenu1.File1=&File\r\n"
                      "Form1.MainMenu1.File1.OpenVob1=&Open Vob(s)\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("Form1.CoolButtonOpenVob.Hint=Open Decrypted Vob(s)\r\n"), std::string::npos);
  EXPECT_EQ(text.find("CoolButtonOpenVob.Caption"), std::string::npos);
  EXPECT_EQ(text.find("CheckBoxShowSubPict.Hint"), std::string::npos);  // empty hint
  EXPECT_EQ(text.find("SpinEditZoom"), std::string::npos);              // kind not translated
  EXPECT_NE(text.find("MsgStr_56="), std::string::npos);

  // Read back over changed texts, it restores every one of them, leading
  // blanks, quotes and the degree sign included.
  auto changed = windows;
  changed[0].caption = "x";
  changed[0].controls[0].menu[1].items[0].caption = "x";
  changed[1].controls[0].items[2] = "x";
  changed[1].controls[1].text = "x";
  MessageTable changedMessages;
  for (size_t n = 0; n < changedMessages.Size(); ++n) changedMessages.Set(n, "x");
  ASSERT_TRUE(LoadLanguage(program_, "New_LangFile", changed, changedMessages).ok);
  EXPECT_EQ(changed, windows);
  ASSERT_EQ(changedMessages.Size(), messages.Size());
  for (size_t n = 0; n < messages.Size(); ++n) {
    EXPECT_EQ(changedMessages.GetMessage(n), messages.GetMessage(n)) << n;
  }
}

TEST_F(LanguageFiles, TheTemplateKeepsWhatTheFileAlreadyHeld) {
  WriteLanguage("New_LangFile",
                "[Notes]\r\nTranslator=me\r\n[Form1]\r\nForm1.Form1.Caption=Old\r\n");
  ASSERT_TRUE(SaveLanguageTemplate(program_, SampleWindows(), MessageTable()).ok);
  IniFile file;
  ASSERT_TRUE(IniFile::Load(LanguageFilePath(program_, "New_LangFile"), file).ok);
  EXPECT_EQ(file.ReadString("Notes", "Translator", ""), "me");
  EXPECT_EQ(file.ReadString("Form1", "Form1.Form1.Caption", ""), "Capter");
}

TEST_F(LanguageFiles, ListingFindsLanguageFilesOnly) {
  WriteLanguage("Deutsch", "");
  WriteLanguage(
      "Fran\xE7"
      "ais",
      "");
  ASSERT_TRUE(WriteFileAtomically(program_ + "lang/Upper.LNG", "").ok);
  ASSERT_TRUE(WriteFileAtomically(program_ + "lang/readme.txt", "").ok);
  ASSERT_TRUE(WriteFileAtomically(program_ + "lang/.lng", "").ok);
  std::filesystem::create_directories(dir_ / "lang" / "folder.lng");
  EXPECT_EQ(ListLanguages(program_), (std::vector<std::string>{"Deutsch",
                                                               "Fran\xE7"
                                                               "ais",
                                                               "Upper"}));
  EXPECT_TRUE(ListLanguages(program_ + "nowhere/").empty());
}

}  // namespace
}  // namespace capter
