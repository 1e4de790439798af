// TMainSheet: the editor's one window. It keeps the 20 user ship designs,
// shows one at a time in its controls and writes them all to ships.dat.
#pragma once

#include "editor/controls.h"
#include "editor/designs.h"

#include <QMainWindow>
#include <QString>

#include <array>

class QAction;
class QLabel;
class QPushButton;
class QTabWidget;
class QFrame;

namespace hull {

class TMainSheet : public QMainWindow {
    Q_OBJECT
public:
    // Builds the form, loads (or creates) ships.dat in the working directory
    // and shows design 0.
    TMainSheet();
    ~TMainSheet() override;

    // ---- components, named by role ----
    QAction* Load1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Quit1 = nullptr;
    QAction* About1 = nullptr;

    TListBox* SlotBox = nullptr;
    TCheckBox* Activate = nullptr;
    TEdit* Value = nullptr;

    QFrame* Panel1 = nullptr;
    TImage* ShipImage = nullptr;
    TImage* DrawImage = nullptr;
    TEdit* PosX = nullptr;
    TEdit* PosY = nullptr;
    TImage* ShipImage2 = nullptr;
    TImage* EmptyPic = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* InfoLabel = nullptr;

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;  // Weapons
    QWidget* TabSheet6 = nullptr;  // Specials
    QWidget* TabSheet2 = nullptr;  // Systems
    QWidget* TabSheet3 = nullptr;  // General Information
    QWidget* TabSheet4 = nullptr;  // Images
    QWidget* TabSheet5 = nullptr;  // Files

    // Weapons
    TStringGrid* WeaponBox = nullptr;
    QPushButton* AddLaser = nullptr;
    QPushButton* AddIon = nullptr;
    QPushButton* AddBeam = nullptr;
    QPushButton* RemoveWeapon = nullptr;
    QPushButton* ResetDir = nullptr;
    TTrackBar* AimBar = nullptr;
    TEdit* Dire = nullptr;
    TTrackBar* ConverBar = nullptr;
    TEdit* Conv = nullptr;
    TTrackBar* TurretBar = nullptr;
    TEdit* Turr = nullptr;
    TTrackBar* RangeBar = nullptr;
    TEdit* Rang = nullptr;
    TTrackBar* PowerBar = nullptr;
    TEdit* Powr = nullptr;
    TCheckBox* AngleShow = nullptr;
    TCheckBox* LinkCheck = nullptr;

    // Specials
    TCheckBox* BlossomC = nullptr;
    TCheckBox* TeleC = nullptr;
    TRadioGroup* DriveG = nullptr;
    TRadioGroup* CloakS = nullptr;

    // Systems
    TTrackBar* SpeedBar = nullptr;
    TEdit* SpeedR = nullptr;
    TTrackBar* ShieldBar = nullptr;
    TEdit* ShieldR = nullptr;
    TTrackBar* HullBar = nullptr;
    TEdit* HullR = nullptr;
    TTrackBar* TurnBar = nullptr;
    TEdit* TurnR = nullptr;
    TTrackBar* MissileBar = nullptr;
    TEdit* MissileR = nullptr;
    TTrackBar* ArmorBarFront = nullptr;
    TEdit* ArmorRF = nullptr;
    TTrackBar* ArmorBarBack = nullptr;
    TEdit* ArmorRB = nullptr;

    // General Information
    TTrackBar* ScaleBar = nullptr;
    TEdit* ScaleR = nullptr;
    TTrackBar* BoundBar = nullptr;
    TEdit* BoundR = nullptr;
    TComboBox* Universe = nullptr;
    TComboBox* EngineSound = nullptr;
    TMaskEdit* ShipName = nullptr;
    TCheckBox* HelpLine = nullptr;
    TCheckBox* R2Unit = nullptr;

    // Images
    std::array<TImage*, 24> Thumbnails{};  // in layout order, which is Tag order
    TEdit* Selec = nullptr;
    QPushButton* ClearShipImage = nullptr;
    QPushButton* Button1 = nullptr;

    // Files
    TMaskEdit* NameE = nullptr;
    TMaskEdit* FolderE = nullptr;
    TTrackBar* FrBar = nullptr;
    TEdit* FrCount = nullptr;
    QPushButton* Button2 = nullptr;

    TOpenDialog ShipLoader;

    // ---- editor state ----
    std::array<TImage*, 24> BuiltInPictures{};  // by Tag
    int SelectedRow = -1;
    int CurrentDesign = 0;
    QString StartDirectory;
    std::array<int, kDesigns> DesignValue{};
    Designs D;

    // ---- design slots and menu ----
    void SlotBoxClick();
    void Load1Click();
    void N1Click();
    void Quit1Click();
    void About1Click();
    void ComputeShipValue();

    // ---- ships.dat ----
    void LoadShipFile();
    void LoadLegacyShipFile();
    void SaveShipFile();
    // Writes a new ships.dat from the designs; false when it cannot be
    // written (the user has been told).
    bool CreateShipFile();
    // Replaces ships.dat as a whole with the designs; false when it cannot
    // be written (the user has been told).
    bool WriteShipFile();
    void SortDesignWeapons();
    void SortDesignWeapons(int design);
    QString ShipFilePath() const;

    // ---- weapons and the schematic ----
    void WeaponBoxSelectCell(int col, int row);
    void AddLaserClick() { AddWeapon(kLaser); }
    void AddIonClick() { AddWeapon(kIonCannon); }
    void AddBeamClick() { AddWeapon(kCuttingBeam); }
    void RemoveWeaponClick();
    void ResetDirClick();
    void AimBarChange();
    void ConverBarChange();
    void TurretBarChange();
    void RangeBarChange();
    void PowerBarChange();
    void AngleShowClick();
    void DrawImageMouseMove(int x, int y);
    void DrawImageMouseDown(Qt::MouseButtons buttons, int x, int y);
    void DrawWeaponSchematic();
    void FillWeaponBox();

    // ---- systems, specials and general information ----
    void SpeedBarChange();
    void ShieldBarChange();
    void HullBarChange();
    void TurnBarChange();
    void MissileBarChange();
    void ArmorBarFrontChange();
    void ArmorBarBackChange();
    void ScaleBarChange();
    void BoundBarChange();
    void UniverseChange();
    void EngineSoundChange();
    void ShipNameChange();
    void HelpLineClick();
    void R2UnitClick();
    void DriveGClick();
    void CloakSClick();
    void BlossomCClick();
    void TeleCClick();
    void LinkCheckClick();
    void ShowHelp(const QString& text);

    // ---- pictures, frame files and activation ----
    void XWingClick(TImage* sender);
    void Button1Click();
    void ClearShipImageClick();
    void FrBarChange();
    void NameEChange();
    void FolderEChange();
    void Button2Click();
    void ActivateClick();

    // The path of frame `frame` (from 1) of the current design's custom files.
    QString FramePath(int frame) const;
    // Makes the start directory the working directory again.
    void RestoreDirectory() const;
    // The scale the schematic and the mouse mapping work with: the stored
    // scale when it lies in the bar's range, else the bar's position.
    int SchematicScale() const;

private:
    void BuildForm();
    void BuildWeaponsPage();
    void BuildSpecialsPage();
    void BuildSystemsPage();
    void BuildGeneralPage();
    void BuildImagesPage();
    void BuildFilesPage();
    void ConnectHelp();
    void AddWeapon(int kind);
    void ShowPicture();
    void SetImageFieldsBuiltIn();
    bool AllFramesExist();
};

// The text of a stored 20-byte field: up to its NUL, at most 19 characters.
QString FieldText(const Text& field);
// Stores `text` as a NUL-terminated field of at most 19 characters.
void SetFieldText(Text& field, const QString& text);
// The grid's name of a weapon kind, with or without a turret arc.
QString WeaponKindName(int32_t kind, int32_t turretCover);

}  // namespace hull
