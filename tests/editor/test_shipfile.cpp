// Reading, creating and saving ships.dat.
#include "tests/editor/support_editor.h"

#include <QDir>
#include <QFile>

using namespace hull;
using namespace hulltest;

namespace {

Bytes DefaultFile() {
    Bytes file;
    const Bytes record = DefaultRecord();
    for (int i = 0; i < 20; ++i) file.insert(file.end(), record.begin(), record.end());
    return file;
}

}  // namespace

class ShipFileTest : public EditorTest {};

TEST_F(ShipFileTest, MissingFileIsCreatedWithDefaults) {
    auto sheet = MakeSheet();
    EXPECT_EQ(messages, QStringList{"Creating a new dat file."});
    EXPECT_EQ(ReadFile("ships.dat"), DefaultFile());
    EXPECT_EQ(sheet->Value->Text(), QString("25"));
}

TEST_F(ShipFileTest, HandBuiltFileIsReadFieldByField) {
    Bytes file = DefaultFile();
    const size_t at = 1256 * 7;  // design 7
    PutInt(file, at + 0, 1);
    PutInt(file, at + 4, 0);         // slot 0 laser
    PutInt(file, at + 4 + 4, 1);     // slot 1 ion cannon
    PutInt(file, at + 84 + 4, -6);   // WeaponX[1]
    PutInt(file, at + 164 + 4, 11);  // WeaponY[1]
    PutFloat(file, at + 244 + 4, 90.0f);
    PutFloat(file, at + 324 + 4, 1500.0f);
    PutFloat(file, at + 404 + 4, 90.5f);
    PutInt(file, at + 484, 5);
    PutInt(file, at + 488, 7);
    PutInt(file, at + 492, 12);
    PutInt(file, at + 496, 1);
    PutInt(file, at + 500, 1);
    PutInt(file, at + 504, 5);
    PutFloat(file, at + 508, 0.7f);
    PutInt(file, at + 512, 120);
    PutInt(file, at + 516, 80);
    PutInt(file, at + 520, 40);
    PutInt(file, at + 524, 30);
    PutText(file, at + 532, "Built in images.", 16);
    PutText(file, at + 552, "Built in images.", 16);
    PutText(file, at + 572, "Raven", 5);
    PutInt(file, at + 592, 1);
    PutInt(file, at + 596, 1);
    PutInt(file, at + 600, 9);
    PutInt(file, at + 604 + 4, 45);
    PutInt(file, at + 688 + 4, 22);
    PutInt(file, at + 768 + 4, 300);
    PutInt(file, at + 848, 30);
    PutInt(file, at + 852, 40);
    file[at + 856 + 100] = 0xAB;  // reserved bytes survive
    PutInt(file, at + 1212, 1);
    PutInt(file, at + 1216, 2);
    PutInt(file, at + 1220, 2);
    PutInt(file, at + 1224, 1);
    PutInt(file, at + 1228, 1);
    PutInt(file, at + 1232, 9);  // Specials[4], never touched by the editor
    WriteFile("ships.dat", file);

    auto sheet = MakeSheet();
    EXPECT_TRUE(messages.isEmpty());
    const Designs& d = sheet->D;
    EXPECT_EQ(d.Active[7], 1);
    EXPECT_EQ(d.WeaponType[7][0], 0);
    EXPECT_EQ(d.WeaponType[7][1], 1);
    EXPECT_EQ(d.WeaponX[7][1], -6);
    EXPECT_EQ(d.WeaponY[7][1], 11);
    EXPECT_EQ(d.Aim[7][1], 90.0f);
    EXPECT_EQ(d.Convergence[7][1], 1500.0f);
    EXPECT_EQ(d.FireDirection[7][1], 90.5f);
    EXPECT_EQ(d.Technology[7], 5);
    EXPECT_EQ(d.ImageSelection[7], 7);
    EXPECT_EQ(d.Missiles[7], 12);
    EXPECT_EQ(d.IonCount[7], 1);
    EXPECT_EQ(d.LaserCount[7], 1);
    EXPECT_EQ(d.Turn[7], 5);
    EXPECT_EQ(d.Acceleration[7], 0.7f);
    EXPECT_EQ(d.Shield[7], 120);
    EXPECT_EQ(d.Hull[7], 80);
    EXPECT_EQ(d.DrawScale[7], 40);
    EXPECT_EQ(d.BoundingSphere[7], 30);
    EXPECT_EQ(FieldText(d.Name[7]), QString("Raven"));
    EXPECT_EQ(d.AimLine[7], 1);
    EXPECT_EQ(d.AstroDroid[7], 1);
    EXPECT_EQ(d.EngineSoundKind[7], 9);
    EXPECT_EQ(d.TurretCover[7][1], 45);
    EXPECT_EQ(d.Power[7][1], 22);
    EXPECT_EQ(d.Range[7][1], 300);
    EXPECT_EQ(d.Armor[7][0], 30);
    EXPECT_EQ(d.Armor[7][1], 40);
    EXPECT_EQ(d.Reserved[7][100], 0xAB);
    EXPECT_EQ(d.LinkAll[7], 1);
    EXPECT_EQ(d.Specials[7][kDrive], 2);
    EXPECT_EQ(d.Specials[7][kCloak], 2);
    EXPECT_EQ(d.Specials[7][kDeathBlossom], 1);
    EXPECT_EQ(d.Specials[7][kTeleport], 1);
    EXPECT_EQ(d.Specials[7][4], 9);

    // Shown, the design puts every value in its control.
    sheet->SlotBox->SetItemIndex(7);
    sheet->SlotBoxClick();
    EXPECT_EQ(sheet->SpeedBar->Position(), 7);
    EXPECT_EQ(sheet->ShieldBar->Position(), 120);
    EXPECT_EQ(sheet->ScaleBar->Position(), 40);
    EXPECT_EQ(sheet->BoundBar->Position(), 30);
    EXPECT_EQ(sheet->Universe->currentText(), QString("Minbari"));
    EXPECT_EQ(sheet->EngineSound->currentText(), QString("Minbari Fighter"));
    EXPECT_EQ(sheet->ShipName->Text(), QString("Raven"));
    EXPECT_EQ(sheet->DriveG->ItemIndex(), 2);
    EXPECT_EQ(sheet->CloakS->ItemIndex(), 2);
    EXPECT_TRUE(sheet->TeleC->Checked());
    EXPECT_TRUE(sheet->BlossomC->Checked());
    EXPECT_TRUE(sheet->LinkCheck->Checked());
    EXPECT_TRUE(sheet->R2Unit->Checked());
    EXPECT_TRUE(sheet->HelpLine->Checked());
    EXPECT_TRUE(sheet->Activate->Checked());  // named, built-in picture
    EXPECT_EQ(sheet->Selec->Text(), QString("7"));
    EXPECT_EQ(sheet->WeaponBox->Cell(0, 1), QString("Ion Turret"));
    EXPECT_EQ(sheet->WeaponBox->Cell(1, 1), QString("90.50"));
    EXPECT_EQ(sheet->WeaponBox->Cell(2, 1), QString("-6"));
    EXPECT_EQ(sheet->ShipImage2->width(), 80);
}

TEST_F(ShipFileTest, UneditedDesignsAreSavedAsTheBytesRead) {
    Bytes file = DefaultFile();
    // Values no control can show as they are: an acceleration between the
    // bar's tenths, a built-in picture with its own folder and file names,
    // empty slots that are not at their defaults, bytes after a name's NUL.
    for (int d = 1; d < 20; d += 3) {
        const size_t at = 1256 * static_cast<size_t>(d);
        PutFloat(file, at + 508, d % 2 ? 0.76f : 0.95f);
        PutInt(file, at + 488, d % 24);  // ImageSelection
        PutText(file, at + 532, "myfolder", 8);
        PutText(file, at + 552, "myship", 6);
        PutFloat(file, at + 324 + 4 * 19, 0.0f);  // slot 19's convergence
        PutInt(file, at + 768 + 4 * 18, 300);     // slot 18's range
        PutText(file, at + 572, "Kite\0xyz", 8);
        PutInt(file, at + 528, 30);  // FrameCount
        PutInt(file, at + 516, 7);   // Hull below the bar
    }
    // And a few with varied fields, sorted as a save leaves them.
    for (int d = 0; d < 20; d += 3) {
        const size_t at = 1256 * static_cast<size_t>(d);
        PutInt(file, at + 4, 0);
        PutInt(file, at + 8, 2);
        PutInt(file, at + 500, 1);
        PutInt(file, at + 684, 1);
        PutInt(file, at + 84, d - 5);
        PutFloat(file, at + 508, static_cast<float>((d + 4) * 0.1));  // as the bar stores it
        PutInt(file, at + 512, 10 * d);
        PutText(file, at + 572, "Hawk", 4);
        PutInt(file, at + 848, d);
        PutInt(file, at + 1216 + 4, 1);
    }
    WriteFile("ships.dat", file);
    {
        auto sheet = MakeSheet();
        for (int d = 19; d >= 0; --d) {  // visit every design
            sheet->SlotBox->SetItemIndex(d);
            sheet->SlotBoxClick();
        }
        sheet->N1Click();
    }
    const Bytes first = ReadFile("ships.dat");
    EXPECT_EQ(first, file);
    {
        auto sheet = MakeSheet();
        sheet->N1Click();
    }
    EXPECT_EQ(ReadFile("ships.dat"), first);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ShipFileTest, LegacyFileFillsDesignsZeroToNineUpToRange) {
    const Bytes full = DefaultFile();
    Bytes legacy;
    for (int k = 0; k < 10; ++k) legacy.insert(legacy.end(), full.begin() + 1256 * k, full.begin() + 1256 * k + 848);
    PutInt(legacy, 848 * 3 + 512, 77);            // design 3 shield
    PutInt(legacy, 848 * 9 + 768 + 4 * 19, 333);  // design 9 range of slot 19
    WriteFile("ships.dat", legacy);

    auto sheet = MakeSheet();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(sheet->D.Shield[3], 77);
    EXPECT_EQ(sheet->D.Range[9][19], 333);
    EXPECT_EQ(sheet->D.Shield[12], 50);  // designs 10..19 keep their defaults
    sheet->D.Armor[2][0] = 9;            // fields after Range stay as memory holds them
    sheet->N1Click();
    const Bytes saved = ReadFile("ships.dat");
    ASSERT_EQ(saved.size(), 25120u);
    EXPECT_EQ(GetInt(saved, 1256 * 3 + 512), 77);
    EXPECT_EQ(GetInt(saved, 1256 * 9 + 768 + 4 * 19), 333);
    EXPECT_EQ(GetInt(saved, 1256 * 2 + 848), 9);
    EXPECT_TRUE(std::equal(saved.begin() + 1256 * 10, saved.end(), full.begin() + 1256 * 10));
}

TEST_F(ShipFileTest, LoadMenuKeepsDesignsTheFileLacks) {
    auto sheet = MakeSheet();
    sheet->D.Shield[15] = 150;
    Bytes legacy(8480, 0);
    WriteFile("ships.dat", legacy);
    sheet->Load1Click();
    EXPECT_EQ(sheet->D.Shield[15], 150);
    EXPECT_EQ(sheet->D.Shield[0], 0);
}

TEST_F(ShipFileTest, WrongSizedFilesAreKeptUnderNamesThatReplaceNoEarlierOne) {
    struct Case {
        size_t length;
        const char* text;
        const char* kept;
    } cases[] = {{0, "0Dat file wrong sized.", "ships.dat.bad.1"},
                 {25121, "25121Dat file wrong sized.", "ships.dat.bad.2"},
                 {25119, "25119Dat file wrong sized.", "ships.dat.bad.3"}};
    WriteFile("ships.dat.bad", Bytes(3, 1));  // kept by an earlier run
    for (const Case& c : cases) {
        messages.clear();
        Bytes bytes(c.length, 0x5A);
        WriteFile("ships.dat", bytes);
        auto sheet = MakeSheet();
        ASSERT_EQ(messages.size(), 2) << c.length;
        EXPECT_EQ(messages[0], QString(c.text) + "\nThe old file was kept as " + Path(c.kept) + ".");
        EXPECT_EQ(messages[1], QString("Creating a new dat file."));
        EXPECT_EQ(ReadFile(c.kept), bytes) << c.length;
        EXPECT_EQ(ReadFile("ships.dat"), DefaultFile()) << c.length;
    }
    EXPECT_EQ(ReadFile("ships.dat.bad"), Bytes(3, 1));
}

TEST_F(ShipFileTest, UnwritableFolderGivesOneClearMessage) {
    auto sheet = MakeSheet();
    messages.clear();
    // The game folder disappears under the editor: nothing can be created.
    QDir::setCurrent(oldDir);
    ASSERT_TRUE(QDir(dir).removeRecursively());
    sheet->N1Click();
    EXPECT_EQ(messages, (QStringList{"Creating a new dat file.", "Cannot write ships.dat."}));
    EXPECT_FALSE(Exists("ships.dat"));
    ASSERT_TRUE(QDir().mkpath(dir));
}

TEST_F(ShipFileTest, SaveReplacesTheWholeFileAndTooLongIsRewritten) {
    auto sheet = MakeSheet();
    messages.clear();
    WriteFile("ships.dat", Bytes(100, 7));  // shorter than a full file
    sheet->D.Hull[19] = 123;
    sheet->N1Click();
    Bytes saved = ReadFile("ships.dat");
    ASSERT_EQ(saved.size(), 25120u);
    EXPECT_EQ(GetInt(saved, 1256 * 19 + 516), 123);
    EXPECT_EQ(GetInt(saved, 0), 0);
    EXPECT_TRUE(messages.isEmpty());

    WriteFile("ships.dat", Bytes(30000, 7));
    sheet->N1Click();
    EXPECT_EQ(messages, (QStringList{"Dat file too long\nThe old file was kept as " + Path("ships.dat.bad") + ".",
                                     "Creating a new dat file."}));
    saved = ReadFile("ships.dat");
    ASSERT_EQ(saved.size(), 25120u);
    EXPECT_EQ(GetInt(saved, 1256 * 19 + 516), 123);
    // The long file is kept whole, and no temporary file is left.
    EXPECT_EQ(ReadFile("ships.dat.bad"), Bytes(30000, 7));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), (QStringList{"ships.dat", "ships.dat.bad"}));
}

TEST_F(ShipFileTest, SortKeepsEachWeaponWholeAndRecomputesCounts) {
    auto sheet = MakeSheet();
    Designs& d = sheet->D;
    const int kinds[4] = {kCuttingBeam, kLaser, kEmpty, kIonCannon};
    for (int s = 0; s < 4; ++s) {
        d.WeaponType[0][s] = kinds[s];
        d.WeaponX[0][s] = s + 1;
        d.WeaponY[0][s] = -(s + 1);
        d.Aim[0][s] = 10.0f * static_cast<float>(s);
        d.Convergence[0][s] = 900.0f + static_cast<float>(s);
        d.FireDirection[0][s] = 1.5f * static_cast<float>(s);
        d.TurretCover[0][s] = 20 * s;
        d.Power[0][s] = 5 + s;
        d.Range[0][s] = 100 + s;
    }
    d.WeaponType[0][7] = 9;  // a damaged type value ends up empty
    d.Convergence[0][7] = 5.0f;
    d.LaserCount[0] = 5;  // and stale counts are put right
    d.IonCount[0] = 0;
    d.BeamCount[0] = 3;
    sheet->N1Click();
    const int from[3] = {1, 3, 0};  // laser, ion cannon, beam
    for (int s = 0; s < 3; ++s) {
        const int o = from[s];
        EXPECT_EQ(d.WeaponType[0][s], kinds[o]);
        EXPECT_EQ(d.WeaponX[0][s], o + 1);
        EXPECT_EQ(d.WeaponY[0][s], -(o + 1));
        EXPECT_EQ(d.Aim[0][s], 10.0f * static_cast<float>(o));
        EXPECT_EQ(d.Convergence[0][s], 900.0f + static_cast<float>(o));
        EXPECT_EQ(d.FireDirection[0][s], 1.5f * static_cast<float>(o));
        EXPECT_EQ(d.TurretCover[0][s], 20 * o);
        EXPECT_EQ(d.Power[0][s], 5 + o);
        EXPECT_EQ(d.Range[0][s], 100 + o);
    }
    // The other slots follow in their old order, each with all it held.
    EXPECT_EQ(d.WeaponType[0][3], kEmpty);
    EXPECT_EQ(d.WeaponX[0][3], 3);
    EXPECT_EQ(d.Convergence[0][3], 902.0f);
    EXPECT_EQ(d.Power[0][3], 7);
    EXPECT_EQ(d.WeaponType[0][7], kEmpty);
    EXPECT_EQ(d.Convergence[0][7], 5.0f);
    for (int s = 8; s < 20; ++s) {
        EXPECT_EQ(d.WeaponType[0][s], kEmpty);
        EXPECT_EQ(d.Convergence[0][s], 1000.0f);
    }
    const Bytes saved = ReadFile("ships.dat");
    EXPECT_EQ(GetInt(saved, 500), 1);  // LaserCount
    EXPECT_EQ(GetInt(saved, 496), 1);  // IonCount
    EXPECT_EQ(GetInt(saved, 684), 1);  // BeamCount
    EXPECT_EQ(GetInt(saved, 4 + 4 * 7), -1);
    // The grid shows the sorted slots and no row stays selected.
    EXPECT_EQ(sheet->WeaponBox->Cell(0, 0), QString("Laser Turret"));
    EXPECT_EQ(sheet->WeaponBox->Cell(0, 2), QString("Cutting Beam"));  // it had no arc
    EXPECT_EQ(sheet->SelectedRow, -1);
}

TEST_F(ShipFileTest, QuitLeavesTheFileAsItWas) {
    auto sheet = MakeSheet();
    const Bytes before = ReadFile("ships.dat");
    sheet->ShieldBar->SetPosition(190);
    sheet->ShipName->SetText("Changed");
    sheet->Quit1Click();
    EXPECT_EQ(ReadFile("ships.dat"), before);
}
