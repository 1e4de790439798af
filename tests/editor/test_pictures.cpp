// Built-in and custom pictures, frame files, their verification and the
// activation of a design.
#include "tests/editor/support_editor.h"

#include <QDir>
#include <QFile>

using namespace hull;
using namespace hulltest;

class PicturesTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        sheet = MakeSheet();
        messages.clear();
    }
    void Custom(const char* folder, const char* stem, int frames) {
        sheet->FolderE->SetText(folder);
        sheet->NameE->SetText(stem);
        sheet->FrBar->SetPosition(frames);
    }
    std::unique_ptr<TMainSheet> sheet;
};

TEST_F(PicturesTest, FramePathsFollowThePattern) {
    Custom("scout", "sc", 120);
    const struct {
        int frame;
        const char* path;
    } cases[] = {{1, "img\\scout\\sc0001.bmp"}, {60, "img\\scout\\sc0060.bmp"}, {120, "img\\scout\\sc00120.bmp"}};
    for (const auto& c : cases) EXPECT_EQ(sheet->FramePath(c.frame), QString(c.path));
    // Verification tests exactly the frames 1 to the frame count.
    sheet->FrBar->SetPosition(1);
    sheet->Button2Click();
    EXPECT_EQ(messages, QStringList{"File img\\scout\\sc0001.bmp does not exist"});
    messages.clear();
    sheet->FrBar->SetPosition(120);
    sheet->Button2Click();
    ASSERT_EQ(messages.size(), 120);
    EXPECT_EQ(messages[99], QString("File img\\scout\\sc00100.bmp does not exist"));
    EXPECT_EQ(messages[119], QString("File img\\scout\\sc00120.bmp does not exist"));
    // Text fields are used up to their NUL, never beyond their 20 bytes.
    Text full;
    full.fill('z');
    sheet->D.ImageFolder[0] = full;
    EXPECT_EQ(sheet->FramePath(1), "img\\" + QString(19, 'z') + "\\sc0001.bmp");
}

TEST_F(PicturesTest, VerifyReportsEachMissingFrame) {
    Custom("scout", "sc", 60);
    for (int n = 1; n <= 60; ++n)
        if (n != 7 && n != 60) WriteFrame(sheet->FramePath(n));
    sheet->Button2Click();
    EXPECT_EQ(messages, (QStringList{"File img\\scout\\sc0007.bmp does not exist",
                                     "File img\\scout\\sc0060.bmp does not exist"}));
    messages.clear();
    WriteFrame(sheet->FramePath(7));
    WriteFrame(sheet->FramePath(60));
    sheet->Button2Click();
    EXPECT_EQ(messages, QStringList{"Files found ok."});
}

TEST_F(PicturesTest, FrameFilesAreFoundWhateverTheirCase) {
    Custom("Scout", "SC", 2);
    WriteFrame("img\\scout\\sc0001.bmp");
    WriteFrame("img\\scout\\Sc0002.BMP");
    sheet->Button2Click();
    EXPECT_EQ(messages, QStringList{"Files found ok."});
}

TEST_F(PicturesTest, BuiltInPictureForcesSixtyFrames) {
    sheet->FrBar->SetPosition(120);
    sheet->XWingClick(sheet->BuiltInPictures[3]);
    EXPECT_EQ(sheet->D.ImageSelection[0], 3);
    EXPECT_EQ(sheet->D.FrameCount[0], 60);
    EXPECT_EQ(sheet->Selec->Text(), QString("3"));
    EXPECT_EQ(FieldText(sheet->D.ImageName[0]), QString("Built in images."));
    EXPECT_EQ(FieldText(sheet->D.ImageFolder[0]), QString("Built in images."));
    EXPECT_TRUE(sheet->NameE->isReadOnly());
    sheet->FrBar->SetPosition(5);
    EXPECT_EQ(sheet->FrBar->Position(), 60);
    EXPECT_EQ(sheet->D.FrameCount[0], 60);
    EXPECT_EQ(sheet->FrCount->Text(), QString("60"));
    sheet->Button2Click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(sheet->D.Active[0], 0);  // picking a picture does not activate
}

TEST_F(PicturesTest, BuiltInPicturesAreCompiledIn) {
    ASSERT_EQ(sheet->BuiltInPictures.size(), 24u);
    for (int i = 0; i < 24; ++i) {
        ASSERT_NE(sheet->BuiltInPictures[static_cast<size_t>(i)], nullptr);
        EXPECT_EQ(sheet->BuiltInPictures[static_cast<size_t>(i)]->Tag, i);
    }
    EXPECT_EQ(sheet->BuiltInPictures[0]->objectName(), QString("XWing"));
    EXPECT_EQ(sheet->BuiltInPictures[23]->objectName(), QString("Runabout"));
    if (!QFile::exists(VANTORRA_GEN_DIR "/thumbs/ship00.bmp")) GTEST_SKIP() << "built without the generated thumbnails";
    for (TImage* image : sheet->BuiltInPictures)
        EXPECT_EQ(image->Picture().size(), QSize(100, 100)) << image->objectName().toStdString();
    sheet->XWingClick(sheet->BuiltInPictures[5]);
    EXPECT_EQ(sheet->ShipImage->Picture(), sheet->BuiltInPictures[5]->Picture());
}

TEST_F(PicturesTest, ActivationNeedsANameAndEveryFrame) {
    // No name: refused even with a built-in picture.
    sheet->ShipName->SetText("");
    sheet->XWingClick(sheet->BuiltInPictures[0]);
    sheet->Activate->click();
    EXPECT_EQ(messages, QStringList{"Name your design using the slot in\nGeneral information page."});
    EXPECT_FALSE(sheet->Activate->Checked());
    EXPECT_EQ(sheet->D.Active[0], 0);
    messages.clear();
    sheet->ShipName->SetText("Arrow");
    sheet->Activate->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(sheet->D.Active[0], 1);
    sheet->Activate->click();
    EXPECT_EQ(sheet->D.Active[0], 0);

    // Custom files: every frame must exist.
    sheet->SlotBox->SetItemIndex(1);
    sheet->SlotBoxClick();
    sheet->ShipName->SetText("Dart");
    Custom("dart", "da", 3);
    WriteFrame(sheet->FramePath(1));
    WriteFrame(sheet->FramePath(2));
    sheet->Activate->click();
    EXPECT_EQ(messages, QStringList{"All Images not OK."});
    EXPECT_EQ(sheet->D.Active[1], 0);
    EXPECT_FALSE(sheet->Activate->Checked());
    messages.clear();
    WriteFrame(sheet->FramePath(3));
    sheet->Activate->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(sheet->D.Active[1], 1);
}

TEST_F(PicturesTest, LoadCustomDeactivatesAndCancelKeepsEverything) {
    WriteFrame("img\\dart\\da0001.bmp");
    sheet->ShipName->SetText("Dart");
    sheet->XWingClick(sheet->BuiltInPictures[2]);
    sheet->Activate->click();
    ASSERT_EQ(sheet->D.Active[0], 1);

    TOpenDialog::SetChooser([](const TOpenDialog&) { return QString(); });
    sheet->Button1Click();
    EXPECT_EQ(sheet->D.ImageSelection[0], 2);
    EXPECT_EQ(sheet->D.Active[0], 1);

    // The dialog may leave another working directory behind.
    const QString elsewhere = Path("img");
    TOpenDialog::SetChooser([&](const TOpenDialog& d) {
        EXPECT_EQ(d.Title, QString("Select a 1st frame of a ship"));
        EXPECT_EQ(d.Filter, QString("Ship Bitmap|*0001.bmp"));
        QDir::setCurrent(elsewhere);
        return Path("img/dart/da0001.bmp");
    });
    sheet->Button1Click();
    EXPECT_EQ(QDir::currentPath(), dir);
    EXPECT_EQ(sheet->D.ImageSelection[0], 100);
    EXPECT_EQ(sheet->D.Active[0], 0);
    EXPECT_FALSE(sheet->Activate->Checked());
    EXPECT_EQ(sheet->Selec->Text(), QString("Custom"));
    EXPECT_FALSE(sheet->NameE->isReadOnly());
    EXPECT_EQ(sheet->ShipImage->Picture().size(), QSize(100, 100));
    sheet->ClearShipImageClick();
    EXPECT_TRUE(sheet->ShipImage->Picture().isNull());
    EXPECT_TRUE(sheet->ShipImage2->Picture().isNull());
    EXPECT_EQ(sheet->D.ImageSelection[0], 100);

    // A save after the folder changed still writes ships.dat where it started.
    QDir::setCurrent(elsewhere);
    sheet->D.Hull[0] = 99;
    sheet->N1Click();
    EXPECT_EQ(GetInt(ReadFile("ships.dat"), 516), 99);
    EXPECT_FALSE(QFile::exists(elsewhere + "/ships.dat"));
}

TEST_F(PicturesTest, FirstFrameIsShownWhenADesignIsShown) {
    WriteFrame("img\\dart\\da0001.bmp");
    SetFieldText(sheet->D.ImageFolder[4], "dart");
    SetFieldText(sheet->D.ImageName[4], "da");
    sheet->SlotBox->SetItemIndex(4);
    sheet->SlotBoxClick();
    EXPECT_EQ(sheet->ShipImage->Picture().size(), QSize(100, 100));
    EXPECT_EQ(sheet->NameE->Text(), QString("da"));
    EXPECT_EQ(sheet->FolderE->Text(), QString("dart"));
    sheet->SlotBox->SetItemIndex(5);
    sheet->SlotBoxClick();
    EXPECT_TRUE(sheet->ShipImage->Picture().isNull());
}

// A damaged frame count (outside 1..180) is never found ok and never
// activates a design, whatever files exist; 180 itself is fine.
TEST_F(PicturesTest, FrameCountOutsideItsRangeNeverActivates) {
    sheet->ShipName->SetText("Dart");
    Custom("dart", "da", 180);
    for (int n = 1; n <= 181; ++n) WriteFrame(sheet->FramePath(n));
    sheet->Button2Click();
    EXPECT_EQ(messages, QStringList{"Files found ok."});
    messages.clear();
    sheet->Activate->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(sheet->D.Active[0], 1);
    sheet->Activate->click();
    ASSERT_EQ(sheet->D.Active[0], 0);

    const struct {
        int count;
        const char* verdict;
    } cases[] = {{0, "Frame count 0 is not in 1 to 180."},
                 {-5, "Frame count -5 is not in 1 to 180."},
                 {181, "Frame count 181 is not in 1 to 180."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        sheet->D.FrameCount[0] = c.count;
        messages.clear();
        sheet->Button2Click();
        // Frames 1 to 180 are tested and present: no per-file message.
        EXPECT_EQ(messages, QStringList{c.verdict});
        messages.clear();
        sheet->Activate->click();
        EXPECT_EQ(messages, QStringList{"All Images not OK."});
        EXPECT_EQ(sheet->D.Active[0], 0);
        EXPECT_FALSE(sheet->Activate->Checked());
        EXPECT_EQ(sheet->D.FrameCount[0], c.count);
    }
    // Missing frames within 1..180 are still listed one by one.
    QFile::remove(Path("img/dart/da0002.bmp"));
    sheet->D.FrameCount[0] = 0;
    messages.clear();
    sheet->Button2Click();
    EXPECT_EQ(messages, QStringList{"Frame count 0 is not in 1 to 180."});
    sheet->D.FrameCount[0] = 200;
    messages.clear();
    sheet->Button2Click();
    EXPECT_EQ(messages,
              (QStringList{"File img\\dart\\da0002.bmp does not exist", "Frame count 200 is not in 1 to 180."}));
}
