// The form's layout: every component at its place, with its caption and range,
// and the wiring of each component's events to the form's handlers.
#include "editor/mainsheet.h"
#include "editor/thumbnails.h"

#include <QAction>
#include <QDir>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace hull {

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y, int w, int h = 16) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 24) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(x, y, w, h);
    return button;
}

// A captioned track bar with its echo field to the right.
TTrackBar* AddBar(QWidget* parent, const char* name, const QString& caption, int min, int max, int position, int x,
                  int y, TEdit** echo, const char* echoName) {
    AddLabel(parent, caption, x, y, 260);
    auto* bar = new TTrackBar(parent, min, max, position);
    bar->setObjectName(name);
    bar->setGeometry(x, y + 16, 240, 28);
    *echo = new TEdit(parent);
    (*echo)->setObjectName(echoName);
    (*echo)->setGeometry(x + 246, y + 18, 64, 22);
    return bar;
}

constexpr const char* kThumbnailNames[24] = {
    "XWing", "YWing", "AWing", "BWing", "KWing", "EWing",   "TWing", "HHunt", "Tiefi", "Tiebm", "Tiein",  "Tiead",
    "Tiede", "Skipr", "Asgun", "Mboat", "Viper", "CRaider", "Sfury", "Nial",  "Type9", "Pereg", "Tacfig", "Runabout",
};

}  // namespace

void TMainSheet::BuildForm() {
    setWindowTitle(QStringLiteral("Vantorra Fighter Editor V 1.0"));
    setFixedSize(802, 642);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(401, 321));

    // Main menu
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    Load1 = file->addAction(QStringLiteral("&Load previously saved file"));
    N1 = file->addAction(QStringLiteral("&Save"));
    file->addSeparator();
    Quit1 = file->addAction(QStringLiteral("&Quit"));
    About1 = menuBar()->addAction(QStringLiteral("&About"));
    connect(Load1, &QAction::triggered, this, [this] { Load1Click(); });
    connect(N1, &QAction::triggered, this, [this] { N1Click(); });
    connect(Quit1, &QAction::triggered, this, [this] { Quit1Click(); });
    connect(About1, &QAction::triggered, this, [this] { About1Click(); });

    auto* client = new QWidget(this);
    setCentralWidget(client);

    // Left column: the design slots, activation and value.
    auto* slotsLabel = AddLabel(client, QStringLiteral("C u s t o m  S l o t s"), 2, 4, 14, 330);
    QFont bold = slotsLabel->font();
    bold.setBold(true);
    slotsLabel->setFont(bold);
    slotsLabel->setWordWrap(true);
    slotsLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* slotPanel = new QFrame(client);
    slotPanel->setFrameShape(QFrame::Panel);
    slotPanel->setFrameShadow(QFrame::Raised);
    slotPanel->setGeometry(18, 4, 86, 330);
    QStringList slotItems;
    for (int i = 0; i < kDesigns; ++i) slotItems << QString::number(i);
    SlotBox = new TListBox(slotPanel, slotItems, 2);
    SlotBox->setObjectName("SlotBox");
    SlotBox->setFrameShape(QFrame::NoFrame);
    SlotBox->setGeometry(3, 3, 80, 324);
    SlotBox->setGridSize(QSize(40, 32));
    SlotBox->OnClick = [this] { SlotBoxClick(); };

    Activate = new TCheckBox(client, QStringLiteral("Design Active"));
    Activate->setObjectName("Activate");
    Activate->setGeometry(2, 344, 108, 22);
    Activate->OnClick = [this] { ActivateClick(); };
    AddLabel(client, QStringLiteral("Ship value:"), 4, 372, 88);
    Value = new TEdit(client, true);
    Value->setObjectName("Value");
    Value->setReadOnly(false);  // editable as laid out; what is typed is never read
    Value->setGeometry(4, 390, 84, 22);

    // Picture area: the ship picture with the schematic laid over it.
    Panel1 = new QFrame(client);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setGeometry(112, 4, 204, 204);
    auto* panelCaption = AddLabel(Panel1, QStringLiteral("Load an image"), 2, 2, 200, 200);
    panelCaption->setAlignment(Qt::AlignCenter);
    ShipImage = new TImage(Panel1, 200, 200);
    ShipImage->setObjectName("ShipImage");
    ShipImage->move(2, 2);
    DrawImage = new TImage(Panel1, 200, 200, true);
    DrawImage->setObjectName("DrawImage");
    DrawImage->move(2, 2);
    DrawImage->setMouseTracking(true);
    DrawImage->OnMouseMove = [this](int x, int y) { DrawImageMouseMove(x, y); };
    DrawImage->OnMouseDown = [this](Qt::MouseButtons b, int x, int y) { DrawImageMouseDown(b, x, y); };

    AddLabel(client, QStringLiteral("Scheme Image"), 114, 212, 90);
    AddLabel(client, QStringLiteral("X"), 210, 214, 10);
    PosX = new TEdit(client);
    PosX->setObjectName("PosX");
    PosX->setGeometry(222, 212, 40, 20);
    AddLabel(client, QStringLiteral("Y"), 268, 214, 10);
    PosY = new TEdit(client);
    PosY->setObjectName("PosY");
    PosY->setGeometry(278, 212, 40, 20);

    AddLabel(client, QStringLiteral("Scaled Image"), 326, 212, 100);
    ShipImage2 = new TImage(client, 100, 100);
    ShipImage2->setObjectName("ShipImage2");
    ShipImage2->move(326, 4);
    EmptyPic = new TImage(client, 16, 16);
    EmptyPic->setObjectName("EmptyPic");
    EmptyPic->move(530, 4);

    // Help line
    Panel2 = new QFrame(client);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Sunken);
    Panel2->setGeometry(550, 4, 246, 124);
    InfoLabel = new QLabel(QStringLiteral("Information"), Panel2);
    InfoLabel->setObjectName("InfoLabel");
    InfoLabel->setAlignment(Qt::AlignCenter);
    InfoLabel->setWordWrap(true);
    InfoLabel->setGeometry(6, 4, 234, 116);

    // The pages
    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(112, 238, 686, 378);
    TabSheet1 = new QWidget;
    TabSheet6 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    TabSheet5 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("Weapons"));
    PageControl1->addTab(TabSheet6, QStringLiteral("Specials"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Systems"));
    PageControl1->addTab(TabSheet3, QStringLiteral("General Information"));
    PageControl1->addTab(TabSheet4, QStringLiteral("Images"));
    PageControl1->addTab(TabSheet5, QStringLiteral("Files"));
    BuildWeaponsPage();
    BuildSpecialsPage();
    BuildSystemsPage();
    BuildGeneralPage();
    BuildImagesPage();
    BuildFilesPage();
    PageControl1->setCurrentWidget(TabSheet6);

    ShipLoader.Filter = QStringLiteral("Ship Bitmap|*0001.bmp");
    ShipLoader.InitialDir = QStringLiteral(".");
    ShipLoader.Title = QStringLiteral("Select a 1st frame of a ship");
    ShipLoader.Parent = this;

    ConnectHelp();
}

void TMainSheet::BuildWeaponsPage() {
    QWidget* page = TabSheet1;
    WeaponBox = new TStringGrid(page, 4, kSlots, {100, 40, 30, 30}, 16);
    WeaponBox->setObjectName("WeaponBox");
    WeaponBox->setGeometry(4, 4, 222, 326);
    WeaponBox->OnSelectCell = [this](int col, int row) { WeaponBoxSelectCell(col, row); };

    AddLaser = AddButton(page, "AddLaser", QStringLiteral("Add Laser"), 232, 4, 118);
    AddIon = AddButton(page, "AddIon", QStringLiteral("Add Ion Cannon"), 232, 32, 118);
    AddBeam = AddButton(page, "AddBeam", QStringLiteral("Add Beam"), 232, 60, 118);
    RemoveWeapon = AddButton(page, "RemoveWeapon", QStringLiteral("Remove"), 232, 96, 118);
    ResetDir = AddButton(page, "ResetDir", QStringLiteral("Reset Parameters"), 232, 132, 118);
    connect(AddLaser, &QPushButton::clicked, this, [this] { AddLaserClick(); });
    connect(AddIon, &QPushButton::clicked, this, [this] { AddIonClick(); });
    connect(AddBeam, &QPushButton::clicked, this, [this] { AddBeamClick(); });
    connect(RemoveWeapon, &QPushButton::clicked, this, [this] { RemoveWeaponClick(); });
    connect(ResetDir, &QPushButton::clicked, this, [this] { ResetDirClick(); });

    const int x = 358;
    AimBar = AddBar(page, "AimBar", QStringLiteral("Direction"), 0, 359, 0, x, 2, &Dire, "Dire");
    Dire->SetText(QStringLiteral("FRONT"));
    ConverBar = AddBar(page, "ConverBar", QStringLiteral("Convergence"), 0, 2000, 1000, x, 50, &Conv, "Conv");
    TurretBar = AddBar(page, "TurretBar", QStringLiteral("Turret Cover"), 0, 360, 0, x, 98, &Turr, "Turr");
    RangeBar = AddBar(page, "RangeBar", QStringLiteral("Range"), 10, 400, 120, x, 146, &Rang, "Rang");
    PowerBar = AddBar(page, "PowerBar", QStringLiteral("Power"), 1, 40, 10, x, 194, &Powr, "Powr");
    AimBar->OnChange = [this] { AimBarChange(); };
    ConverBar->OnChange = [this] { ConverBarChange(); };
    TurretBar->OnChange = [this] { TurretBarChange(); };
    RangeBar->OnChange = [this] { RangeBarChange(); };
    PowerBar->OnChange = [this] { PowerBarChange(); };

    AngleShow = new TCheckBox(page, QStringLiteral("Hide/Show Angles"));
    AngleShow->setObjectName("AngleShow");
    AngleShow->setGeometry(x, 250, 200, 22);
    AngleShow->SetChecked(true);
    AngleShow->OnClick = [this] { AngleShowClick(); };
    LinkCheck = new TCheckBox(page, QStringLiteral("Link all weapons"));
    LinkCheck->setObjectName("LinkCheck");
    LinkCheck->setGeometry(x, 276, 200, 22);
    LinkCheck->OnClick = [this] { LinkCheckClick(); };
}

void TMainSheet::BuildSpecialsPage() {
    QWidget* page = TabSheet6;
    DriveG =
        new TRadioGroup(page, QStringLiteral("Select Drive System"),
                        {QStringLiteral("Normal"), QStringLiteral("Star Wars"), QStringLiteral("Inertialess Drive")});
    DriveG->setObjectName("DriveG");
    DriveG->setGeometry(8, 8, 220, 120);
    DriveG->SetItemIndex(0);
    DriveG->OnClick = [this] { DriveGClick(); };
    CloakS = new TRadioGroup(page, QStringLiteral("Cloaking System"),
                             {QStringLiteral("No Cloak"), QStringLiteral("Normal"), QStringLiteral("Phasing")});
    CloakS->setObjectName("CloakS");
    CloakS->setGeometry(240, 8, 220, 120);
    CloakS->SetItemIndex(0);
    CloakS->OnClick = [this] { CloakSClick(); };
    BlossomC = new TCheckBox(page, QStringLiteral("Death Blossom"));
    BlossomC->setObjectName("BlossomC");
    BlossomC->setGeometry(8, 144, 200, 22);
    BlossomC->OnClick = [this] { BlossomCClick(); };
    TeleC = new TCheckBox(page, QStringLiteral("Subspace Teleport"));
    TeleC->setObjectName("TeleC");
    TeleC->setGeometry(8, 172, 200, 22);
    TeleC->OnClick = [this] { TeleCClick(); };
}

void TMainSheet::BuildSystemsPage() {
    QWidget* page = TabSheet2;
    const int x1 = 8;
    const int x2 = 350;
    SpeedBar = AddBar(page, "SpeedBar", QStringLiteral("Acceleration"), 4, 30, 10, x1, 4, &SpeedR, "SpeedR");
    SpeedR->SetText(QStringLiteral("1.0"));
    ShieldBar = AddBar(page, "ShieldBar", QStringLiteral("Shield Rating"), 0, 200, 50, x1, 60, &ShieldR, "ShieldR");
    HullBar = AddBar(page, "HullBar", QStringLiteral("Hull Rating"), 20, 200, 50, x1, 116, &HullR, "HullR");
    TurnBar = AddBar(page, "TurnBar", QStringLiteral("Agility / Turning"), 1, 6, 3, x1, 172, &TurnR, "TurnR");
    MissileBar = AddBar(page, "MissileBar", QStringLiteral("Missile Space"), 0, 100, 4, x2, 4, &MissileR, "MissileR");
    ArmorBarFront =
        AddBar(page, "ArmorBarFront", QStringLiteral("Armor Rating Front"), 0, 200, 0, x2, 60, &ArmorRF, "ArmorRF");
    ArmorBarBack =
        AddBar(page, "ArmorBarBack", QStringLiteral("Armor Rating Back"), 0, 200, 0, x2, 116, &ArmorRB, "ArmorRB");
    ShieldR->SetText(QStringLiteral("50"));
    HullR->SetText(QStringLiteral("50"));
    TurnR->SetText(QStringLiteral("3"));
    MissileR->SetText(QStringLiteral("4"));
    ArmorRF->SetText(QStringLiteral("0"));
    ArmorRB->SetText(QStringLiteral("0"));
    SpeedBar->OnChange = [this] { SpeedBarChange(); };
    ShieldBar->OnChange = [this] { ShieldBarChange(); };
    HullBar->OnChange = [this] { HullBarChange(); };
    TurnBar->OnChange = [this] { TurnBarChange(); };
    MissileBar->OnChange = [this] { MissileBarChange(); };
    ArmorBarFront->OnChange = [this] { ArmorBarFrontChange(); };
    ArmorBarBack->OnChange = [this] { ArmorBarBackChange(); };
}

void TMainSheet::BuildGeneralPage() {
    QWidget* page = TabSheet3;
    ScaleBar = AddBar(page, "ScaleBar", QStringLiteral("Draw Scale"), 15, 100, 25, 8, 4, &ScaleR, "ScaleR");
    BoundBar = AddBar(page, "BoundBar", QStringLiteral("Bounding Sphere"), 15, 100, 25, 8, 60, &BoundR, "BoundR");
    ScaleR->SetText(QStringLiteral("25"));
    BoundR->SetText(QStringLiteral("25"));
    ScaleBar->OnChange = [this] { ScaleBarChange(); };
    BoundBar->OnChange = [this] { BoundBarChange(); };

    AddLabel(page, QStringLiteral("Ship Technology"), 8, 124, 200);
    Universe = new TComboBox(
        page,
        {QStringLiteral("Rebel"), QStringLiteral("Imperial"), QStringLiteral("Colonial"), QStringLiteral("Cylon"),
         QStringLiteral("Earth Alliance"), QStringLiteral("Minbari"), QStringLiteral("Star Fleet")},
        QStringLiteral("Select Technology"));
    Universe->setObjectName("Universe");
    Universe->setGeometry(8, 140, 200, 24);
    Universe->OnChange = [this] { UniverseChange(); };

    AddLabel(page, QStringLiteral("Engine Sound"), 230, 124, 200);
    EngineSound =
        new TComboBox(page,
                      {QStringLiteral("XWing"), QStringLiteral("YWing"), QStringLiteral("AWing"),
                       QStringLiteral("BWing"), QStringLiteral("Tie"), QStringLiteral("Assault Gunship"),
                       QStringLiteral("Viper"), QStringLiteral("Cylon Raider"), QStringLiteral("Enteprise Bridge"),
                       QStringLiteral("Minbari Fighter"), QStringLiteral("Minbari Cruiser"), QStringLiteral("Silent")},
                      QStringLiteral("EngineSound"));
    EngineSound->setObjectName("EngineSound");
    EngineSound->setMaxVisibleItems(9);
    EngineSound->setGeometry(230, 140, 200, 24);
    EngineSound->OnChange = [this] { EngineSoundChange(); };

    AddLabel(page, QStringLiteral("Ship name"), 8, 180, 200);
    ShipName = new TMaskEdit(page, kTextSize - 1);
    ShipName->setObjectName("ShipName");
    ShipName->setGeometry(8, 196, 200, 24);
    ShipName->setText(QStringLiteral("ShipName"));
    ShipName->OnChange = [this] { ShipNameChange(); };

    HelpLine = new TCheckBox(page, QStringLiteral("Draw aim helping line on the design"));
    HelpLine->setObjectName("HelpLine");
    HelpLine->setGeometry(8, 236, 320, 22);
    HelpLine->OnClick = [this] { HelpLineClick(); };
    R2Unit = new TCheckBox(page, QStringLiteral("Astro Droid (R2)"));
    R2Unit->setObjectName("R2Unit");
    R2Unit->setGeometry(8, 264, 320, 22);
    R2Unit->OnClick = [this] { R2UnitClick(); };
}

void TMainSheet::BuildImagesPage() {
    QWidget* page = TabSheet4;
    RegisterThumbnails();
    for (int i = 0; i < 24; ++i) {
        auto* image = new TImage(page, 50, 50);
        image->setObjectName(kThumbnailNames[i]);
        image->Tag = i;
        image->move(8 + (i % 8) * 56, 8 + (i / 8) * 56);
        image->setCursor(Qt::PointingHandCursor);
        image->SetPicture(QImage(QStringLiteral(":/thumbs/ship%1.bmp").arg(i, 2, 10, QLatin1Char('0'))));
        image->OnClick = [this, image] { XWingClick(image); };
        Thumbnails[static_cast<size_t>(i)] = image;
    }
    AddLabel(page, QStringLiteral("Image Selections:"), 470, 8, 140);
    Selec = new TEdit(page);
    Selec->setObjectName("Selec");
    Selec->setGeometry(470, 26, 90, 22);
    ClearShipImage = AddButton(page, "ClearShipImage", QStringLiteral("Clear Image"), 470, 64, 110);
    Button1 = AddButton(page, "Button1", QStringLiteral("Load Custom"), 470, 94, 110);
    connect(ClearShipImage, &QPushButton::clicked, this, [this] { ClearShipImageClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    auto* hint = AddLabel(page,
                          QStringLiteral("Clicking on these images will enable you to use the built in images of "
                                         "Vantorra."),
                          8, 184, 660, 20);
    hint->setWordWrap(true);
    auto* custom = AddLabel(page,
                            QStringLiteral("The custom image you load here has no meaning in file loading procedure. "
                                           "File and folder options are set in files page. Also if image selection "
                                           "is custom valid files must exist."),
                            8, 208, 660, 48);
    custom->setWordWrap(true);
}

void TMainSheet::BuildFilesPage() {
    QWidget* page = TabSheet5;
    AddLabel(page, QStringLiteral("Image file naming"), 8, 8, 200);
    NameE = new TMaskEdit(page, kTextSize - 1);
    NameE->setObjectName("NameE");
    NameE->setGeometry(8, 24, 200, 24);
    NameE->OnChange = [this] { NameEChange(); };
    AddLabel(page, QStringLiteral("Folder name"), 8, 58, 200);
    FolderE = new TMaskEdit(page, kTextSize - 1);
    FolderE->setObjectName("FolderE");
    FolderE->setGeometry(8, 74, 200, 24);
    FolderE->OnChange = [this] { FolderEChange(); };
    FrBar = AddBar(page, "FrBar", QStringLiteral("Frame count"), 1, kMaxFrameCount, 60, 8, 108, &FrCount, "FrCount");
    FrCount->setEnabled(true);
    FrCount->SetText(QStringLiteral("60"));
    FrBar->OnChange = [this] { FrBarChange(); };
    Button2 = AddButton(page, "Button2", QStringLiteral("Verify files"), 8, 170, 120, 26);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    const QStringList notes = {
        QStringLiteral("Filenames must be formatted: thename0001.bmp etc. Write down thename only."),
        QStringLiteral("The folder must lie inside the img folder. Write down its bare name only, without any "
                       "backslash."),
        QStringLiteral("Use frame count slider to set the number of frames in your design."),
        QStringLiteral("Finally click on Verify and you'll be informed of any error or if all is ok."),
    };
    int y = 8;
    for (const QString& note : notes) {
        auto* label = AddLabel(page, note, 360, y, 320, 40);
        label->setWordWrap(true);
        y += 48;
    }
}

void TMainSheet::ConnectHelp() {
    auto help = [this](QWidget* widget, const char* text) {
        OnMouseMove(widget, [this, text] { ShowHelp(QString::fromUtf8(text)); });
    };
    help(TabSheet1, "Use these options to arm your fighter.");
    help(TabSheet2, "Use the sliders to set your fighters parameters.");
    help(TabSheet3, "General information about your fighter.");
    help(TabSheet6, "Select special systems for your ship.");
    help(AddLaser, "Add a laser to your design.");
    help(AddIon, "Add an ion cannon to your design.");
    help(AddBeam, "Cutting beams are of the selected Universe type(phaser, B5 cutting beams, deathstar beam..).");
    help(RemoveWeapon, "Remove the selected weapon.");
    help(LinkCheck, "When this is checked full link firing mode fires all energy weapons at once.");
    help(Button1, "The naming conventions of file naming already apply. See Files page for description.");
    help(Button2,
         "This program has to in the folder where the game exe and IMG folder reside for the verification "
         "to be successful.");
    help(Activate,
         "Finally try to activate your design. If you do not activate the design you wont be able to use "
         "it. You will be notified on errors.");
    help(TeleC, "Subspace teleporter instantaneously moves your ship from one place to another.");
    help(BlossomC, "Death blossom fires all your remaining energy and missiles wildly spinning to all directions.");
    for (int i = 0; i < DriveG->Count(); ++i)
        OnEnter(DriveG->Button(i),
                [this] { ShowHelp(QStringLiteral("Select an approriate drive system for your design.")); });
    for (int i = 0; i < CloakS->Count(); ++i)
        OnEnter(CloakS->Button(i), [this] {
            ShowHelp(
                QStringLiteral("Normal cloaking device makes your ship invisible. Phasing cloak makes your ship "
                               "pass through normal matter."));
        });
}

void TMainSheet::ShowHelp(const QString& text) { InfoLabel->setText(text); }

TMainSheet::TMainSheet() {
    BuildForm();
    StartDirectory = QDir::currentPath();
    for (TImage* image : Thumbnails) BuiltInPictures[static_cast<size_t>(image->Tag)] = image;
    SelectedRow = -1;
    CurrentDesign = 0;
    SlotBox->SetItemIndex(0);
    Universe->SetItemIndex(0);
    EngineSound->SetItemIndex(0);
    for (int d = 0; d < kDesigns; ++d) D.SetDefaults(d);
    Selec->SetText(QStringLiteral("Custom"));
    LoadShipFile();
    SlotBoxClick();
    Value->SetText(QString::number(DesignValue[0]));
}

TMainSheet::~TMainSheet() = default;

}  // namespace hull
