#include <QMenu>

#include "app/language_file.h"
#include "export/bmp_file.h"
#include "tests/gui/program_fixture.h"
#include "ui_job_dialog.h"
#include "ui_main_window.h"

namespace capter::testing {
namespace {

using MainWindowTest = ProgramFixture;

TEST_F(MainWindowTest, OpensWithItsDocumentedNameAndCloses) {
  TForm1& window = Start().Main();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.objectName(), "Form1");
  EXPECT_EQ(window.windowTitle(), "Capter 0.96b");
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());
}

// A first start: no "Capter.ini", no "lang" folder. Closing writes every
// section the window state needs, and not the OCR settings.
TEST_F(MainWindowTest, FirstStartShowsDefaultsAndCloseWritesEverySection) {
  ProgramWindows& windows = Start();
  TForm1& main = windows.Main();
  const Ui::TForm1& u = main.Controls();
  EXPECT_EQ(u.GUILanguage1->actions().size(), 0);
  EXPECT_EQ(u.ImagePreview->Layout().frame.width, 724);  // 100 %
  EXPECT_EQ(u.RadioGroupPreviewBack->ItemIndex(), 1);    // "Preset :"
  EXPECT_EQ(u.PanelRatio->Text(), "1.4:1");
  EXPECT_FALSE(u.PanelPreviewCfg->isVisible());
  EXPECT_FALSE(u.Button1->isVisible());
  EXPECT_FALSE(u.Output1->menuAction()->isVisible());
  EXPECT_EQ(windows.Job().Controls().RadioGroupAction->ItemIndex(), 0);

  windows.Job().Controls().RadioGroupAction->SetItemIndex(2);
  ASSERT_TRUE(main.close());
  const std::string ini = ReadFile(Folder() + "Capter.ini");
  for (const char* section :
       {"[CONFIG]", "[PREVIEW CFG]", "[BMP OUT TC & RES]", "[CAPTER OUTPUT]", "[IAUTHOR OUTPUT]",
        "[PHILIPS OUTPUT]", "[BMP OUT CROPPING]", "[BMP OUT COLOR]", "[BMP OUT POSITIONING]"}) {
    EXPECT_NE(ini.find(section), std::string::npos) << section;
  }
  EXPECT_EQ(ini.find("[OCR SETTING]"), std::string::npos);
  EXPECT_NE(ini.find("ActionMode=2\r\n"), std::string::npos);
  EXPECT_NE(ini.find("Zoom=1000\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, PreviewOptionsReachTheSettingsAndTheLayout) {
  TForm1& main = Start().Main();
  Ui::TForm1& u = main.Controls();
  u.ButtonPreviewOption->click();
  EXPECT_TRUE(u.PanelPreviewCfg->isVisible());
  u.SpinEditZoom->setValue(50);
  EXPECT_EQ(main.Settings().configuration.preview.Zoom, 500);
  EXPECT_EQ(u.ImagePreview->Layout().frame.width, 364);
  u.SpinEditAspectRatio->setValue(288);
  EXPECT_EQ(u.PanelRatio->Text(), "*");
  EXPECT_EQ(u.RadioGroupPreviewBack->ItemIndex(), 2);  // "Free :" chosen by the change
  EXPECT_EQ(main.Settings().configuration.preview.BackMode, kBackFree);
  u.CheckBoxAutoZoom->setChecked(true);
  EXPECT_FALSE(u.SpinEditZoom->isEnabled());

  const Picture24 picture(10, 4);
  main.ShowPicture(picture, Rect{100, 200, 109, 203});
  EXPECT_EQ(u.LabelX1->text(), "100");
  EXPECT_EQ(u.LabelHeight->text(), "4");
  u.CheckBoxTruePos->setChecked(false);
  EXPECT_EQ(u.ImagePreview->Layout().picture.left, 2);
}

// Outside a read a picture is drawn at once, whichever kind came before it.
TEST_F(MainWindowTest, PreviewTakesEachPictureKindInTurnAtOnce) {
  TForm1& main = Start().Main();
  const Ui::TForm1& u = main.Controls();
  Picture24 full(6, 3);
  full.Fill(MakeColour(200, 10, 20));
  PalettedPicture paletted;
  paletted.Resize(4, 2, 4);
  paletted.palette[1] = MakeColour(1, 2, 3);
  paletted.Fill(1);
  main.ShowPicture(full, Rect{10, 20, 15, 22});
  EXPECT_EQ(u.ImagePreview->Picture().pixel(5, 2), qRgb(200, 10, 20));
  main.ShowPicture(paletted, Rect{30, 40, 33, 41});
  EXPECT_EQ(u.ImagePreview->Picture().size(), QSize(4, 2));
  EXPECT_EQ(u.ImagePreview->Picture().pixel(3, 1), qRgb(1, 2, 3));
  EXPECT_EQ(u.LabelX1->text(), "30");
  EXPECT_EQ(u.LabelWidth->text(), "4");
  // The same kind again replaces the kept picture entirely.
  paletted.Resize(2, 5, 4);
  paletted.Fill(1);
  main.ShowPicture(paletted, Rect{0, 0, 1, 4});
  EXPECT_EQ(u.ImagePreview->Picture().size(), QSize(2, 5));
  main.ShowPicture(full, Rect{10, 20, 15, 22});
  EXPECT_EQ(u.ImagePreview->Picture().size(), QSize(6, 3));
  EXPECT_EQ(u.LabelY2->text(), "22");
}

TEST_F(MainWindowTest, UnsavedTextAsksBeforeQuittingAndNoKeepsTheProgram) {
  TForm1& main = Start().Main();
  bool textShown = false;
  bool closed = false;
  QObject::connect(&main, &TForm1::ShowTextWindowRequested, &main, [&] { textShown = true; });
  QObject::connect(&main, &TForm1::Closed, &main, [&] { closed = true; });
  main.Session().Text().SetTextModified(true);
  boxes_ = ScriptedMessageBoxes({Answer::No, Answer::Yes});
  EXPECT_FALSE(main.close());
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(textShown);
  EXPECT_FALSE(closed);
  EXPECT_FALSE(std::filesystem::exists(Folder() + "Capter.ini"));
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "Text NOT Saved !\rDo you really want to quit ?");
  EXPECT_EQ(boxes_.asked[0].buttons, ButtonSet::YesNo);

  EXPECT_TRUE(main.close());
  EXPECT_TRUE(closed);
  EXPECT_TRUE(std::filesystem::exists(Folder() + "Capter.ini"));

  // The matrix check comes first and may refuse on its own.
}

TEST_F(MainWindowTest, MatrixCheckRefusingKeepsTheProgramWithoutAskingAboutText) {
  TForm1& main = Start().Main();
  main.SetMatrixCloseCheck([] { return false; });
  main.Session().Text().SetTextModified(true);
  EXPECT_FALSE(main.close());
  EXPECT_TRUE(boxes_.asked.empty());
}

TEST_F(MainWindowTest, LanguageFileChangesCaptionsAndMessagesOfTheLiveWindows) {
  std::filesystem::create_directories(Folder() + "lang");
  std::ofstream(Folder() + "lang/Test.lng", std::ios::binary)
      << "[Form1]\r\nForm1.Form1.Caption=Kapter\r\nForm1.ButtonPause.Hint=Halt\r\n"
         "[Form1.MainMenu1]\r\nForm1.MainMenu1.File1=&Fichier\r\n"
         "Form1.MainMenu1.File1.OpenVob1=&Ouvrir\r\n"
         "[Form6]\r\nForm6.BitBtnStart.Caption=&D\xE9marrer\r\nForm6.Word_uHour.Text=7\r\n"
         "Form6.RadioGroupAction.Items1=Images\r\nForm6.RadioGroupAction.Items9=None\r\n"
         "[Messages]\r\nMsgStr_0=Zero\r\nMsgStr_2=Two\r\n";
  ProgramWindows& windows = Start();
  TForm1& main = windows.Main();
  const QList<QAction*> languages = main.Controls().GUILanguage1->actions();
  ASSERT_EQ(languages.size(), 1);
  EXPECT_EQ(languages[0]->text(), "Test");
  languages[0]->trigger();
  EXPECT_TRUE(languages[0]->isChecked());
  EXPECT_EQ(main.windowTitle(), "Kapter");
  EXPECT_EQ(main.Controls().ButtonPause->toolTip(), "Halt");
  EXPECT_EQ(main.Controls().File1->title(), "&Fichier");
  EXPECT_EQ(main.Controls().OpenVob1->text(), "&Ouvrir");
  Ui::TForm6& job = windows.Job().Controls();
  EXPECT_EQ(job.BitBtnStart->text(), QString::fromUtf8("&D\u00e9marrer"));
  EXPECT_EQ(job.Word_uHour->text(), "0");  // numeric edits keep their texts
  EXPECT_EQ(job.RadioGroupAction->Items().value(1), "Images");
  EXPECT_EQ(job.RadioGroupAction->Items().size(), 4);
  EXPECT_EQ(Messages().GetMessage(0), "Zero");
  EXPECT_EQ(Messages().GetMessage(2), "The Character Matrix is Empty !");  // stops at MsgStr_1

  // The language is remembered at close.
  ASSERT_TRUE(main.close());
  EXPECT_NE(ReadFile(Folder() + "Capter.ini").find("LanguageFileName=Test\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, SaveLangWritesATemplateOfTheLiveTexts) {
  TForm1& main = Start().Main();
  main.Controls().Button1->click();
  const std::string lang = ReadFile(Folder() + "lang/New_LangFile.lng");
  EXPECT_NE(lang.find("Form1.Form1.Caption=Capter 0.96b\r\n"), std::string::npos);
  EXPECT_NE(lang.find("[Form1.MainMenu1]\r\nForm1.MainMenu1.File1=&File\r\n"), std::string::npos);
  EXPECT_NE(lang.find("Form1.MainMenu1.File1.OpenVob1=&Open Vob(s)\r\n"), std::string::npos);
  EXPECT_NE(lang.find("Form6.RadioGroupAction.Items3=Only Show SubPictures\r\n"),
            std::string::npos);
  EXPECT_NE(lang.find("Form6.CheckBoxPictTiming.Caption=+ TC && Res.\r\n"), std::string::npos);
  EXPECT_NE(lang.find("MsgStr_56="), std::string::npos);
  // Derived kinds and panels take no part.
  EXPECT_EQ(lang.find("Word_uHour"), std::string::npos);
  EXPECT_EQ(lang.find("SpinEditZoom"), std::string::npos);
  EXPECT_EQ(lang.find("PanelRatio"), std::string::npos);
  EXPECT_EQ(lang.find("CheckListBoxVob"), std::string::npos);
}

// The four background modes; a picture that cannot be read is reported and a
// missing one is passed over, both keeping the previous background.
TEST_F(MainWindowTest, BackgroundModesAndPictures) {
  TForm1& main = Start().Main();
  Ui::TForm1& u = main.Controls();
  u.ButtonPreviewOption->click();
  ASSERT_TRUE(u.ImagePreview->Background().has_value());
  EXPECT_EQ(u.ImagePreview->Background()->size(), QSize(720, 576));
  EXPECT_EQ(u.ImagePreview->Background()->pixelColor(0, 0), QColor(0x8B, 0x6F, 0x6D));
  u.RadioGroupPreviewBack->SetItemIndex(kBackNone);
  EXPECT_FALSE(u.ImagePreview->Background().has_value());

  PalettedPicture picture;
  picture.Resize(4, 2, 4);
  picture.palette[0] = MakeColour(10, 200, 30);
  ASSERT_TRUE(WriteBmpFile(picture, Folder() + "back.bmp").ok);
  std::string next = Folder() + "back.bmp";
  main.SetImageChooser([&](const std::string& title, const std::string&) {
    EXPECT_EQ(title, "Load a Background Image");
    return std::optional<std::string>(next);
  });
  u.ButtonImgBack->click();
  EXPECT_EQ(u.RadioGroupPreviewBack->ItemIndex(), kBackImage);
  ASSERT_TRUE(u.ImagePreview->Background().has_value());
  EXPECT_EQ(u.ImagePreview->Background()->size(), QSize(4, 2));
  EXPECT_EQ(u.ImagePreview->Background()->pixelColor(1, 1), QColor(10, 200, 30));

  std::ofstream(Folder() + "broken.jpg", std::ios::binary) << "\xFF\xD8\xFF\xE0"
                                                              "broken";
  next = Folder() + "broken.jpg";
  u.ButtonImgBack->click();
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Error);
  EXPECT_EQ(boxes_.asked[0].text.rfind(next + ": ", 0), 0u);
  next = Folder() + "gone.bmp";
  u.ButtonImgBack->click();
  EXPECT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(u.ImagePreview->Background()->size(), QSize(4, 2));
  EXPECT_EQ(main.Settings().configuration.preview.BackImageName, next);
}

TEST_F(MainWindowTest, AutoZoomFollowsTheWindowSize) {
  TForm1& main = Start().Main();
  main.Controls().ButtonPreviewOption->click();
  main.Controls().CheckBoxAutoZoom->setChecked(true);
  main.resize(400, 400);
  QApplication::processEvents();
  const QRect frame = main.frameGeometry();
  EXPECT_EQ(main.Settings().configuration.preview.Zoom, AutoZoom(frame.width(), frame.height()));
  EXPECT_LT(main.Settings().configuration.preview.Zoom, 1000);  // smaller than the screen
}

// Settings that cannot be written are reported, and the program still ends.
TEST_F(MainWindowTest, AFailedSaveAtCloseIsReportedAndTheProgramStillEnds) {
  std::filesystem::create_directories(Folder() + "Capter.ini");  // cannot be a file
  TForm1& main = Start().Main();
  bool closed = false;
  QObject::connect(&main, &TForm1::Closed, &main, [&] { closed = true; });
  boxes_.asked.clear();  // what start-up said about the file
  EXPECT_TRUE(main.close());
  EXPECT_TRUE(closed);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Error);
  EXPECT_NE(boxes_.asked[0].text.find("Capter.ini"), std::string::npos);
}

}  // namespace
}  // namespace capter::testing
