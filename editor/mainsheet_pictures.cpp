// The "Images" and "Files" pages: built-in or custom pictures, the frame files
// of a custom design, their verification and the activation of a design.
#include "editor/gamepath.h"
#include "editor/mainsheet.h"

#include <QDir>

#include <algorithm>

namespace hull {

namespace {
constexpr int kBuiltInFrames = 60;
bool IsBuiltInSet(int32_t selection) { return selection >= 0 && selection < 24; }
const QString kBuiltInText = QStringLiteral("Built in images.");
}  // namespace

QString TMainSheet::FramePath(int frame) const {
    // Both texts are at most 19 characters (FieldText stops there).
    const QByteArray folder = FieldText(D.ImageFolder[CurrentDesign]).toLatin1();
    const QByteArray name = FieldText(D.ImageName[CurrentDesign]).toLatin1();
    return QString::asprintf("img\\%s\\%s00%02d.bmp", folder.constData(), name.constData(), frame);
}

void TMainSheet::RestoreDirectory() const { QDir::setCurrent(StartDirectory); }

void TMainSheet::SetImageFieldsBuiltIn() {
    NameE->SetText(kBuiltInText);
    FolderE->SetText(kBuiltInText);
    NameE->SetReadOnly(true);
    FolderE->SetReadOnly(true);
}

// Shows the current design's picture and picture fields.
void TMainSheet::ShowPicture() {
    const int d = CurrentDesign;
    const int32_t selection = D.ImageSelection[d];
    if (IsBuiltInSet(selection)) {
        const QImage& picture = BuiltInPictures[static_cast<size_t>(selection)]->Picture();
        ShipImage->SetPicture(picture);
        ShipImage2->SetPicture(picture);
        Selec->SetText(QString::number(selection));
        SetImageFieldsBuiltIn();
        return;
    }
    // Custom files; a damaged selection number is shown the same way, without
    // a picture, and keeps its value until a picture is chosen.
    Selec->SetText(QStringLiteral("Custom"));
    NameE->SetReadOnly(false);
    FolderE->SetReadOnly(false);
    NameE->SetText(FieldText(D.ImageName[d]));
    FolderE->SetText(FieldText(D.ImageFolder[d]));
    QImage first;
    if (selection == kCustomImage && GameFileExists(FramePath(1))) first.load(ResolveGamePath(FramePath(1)));
    if (first.isNull()) first = EmptyPic->Picture();
    ShipImage->SetPicture(first);
    ShipImage2->SetPicture(first);
}

void TMainSheet::XWingClick(TImage* sender) {
    ShipImage->SetPicture(sender->Picture());
    ShipImage2->SetPicture(sender->Picture());
    D.ImageSelection[CurrentDesign] = sender->Tag;
    Selec->SetText(QString::number(sender->Tag));
    SetImageFieldsBuiltIn();
    FrBar->SetPosition(kBuiltInFrames);
}

void TMainSheet::Button1Click() {
    if (!ShipLoader.Execute()) return;
    RestoreDirectory();
    QImage picture(ShipLoader.FileName);
    ShipImage->SetPicture(picture);
    ShipImage2->SetPicture(picture);
    Selec->SetText(QStringLiteral("Custom"));
    D.ImageSelection[CurrentDesign] = kCustomImage;
    NameE->SetReadOnly(false);
    FolderE->SetReadOnly(false);
    // Showing a built-in set put "Built in images." in the edits but left the
    // design's own names as they were; the edits now show those names.
    if (NameE->Text() != FieldText(D.ImageName[CurrentDesign])) NameE->SetText(FieldText(D.ImageName[CurrentDesign]));
    if (FolderE->Text() != FieldText(D.ImageFolder[CurrentDesign]))
        FolderE->SetText(FieldText(D.ImageFolder[CurrentDesign]));
    Activate->SetChecked(false);
    D.Active[CurrentDesign] = 0;
}

void TMainSheet::ClearShipImageClick() {
    ShipImage->SetPicture(EmptyPic->Picture());
    ShipImage2->SetPicture(EmptyPic->Picture());
}

void TMainSheet::FrBarChange() {
    // A built-in set always has its 60 frames.
    if (IsBuiltInSet(D.ImageSelection[CurrentDesign])) FrBar->SetPosition(kBuiltInFrames);
    FrCount->SetText(QString::number(FrBar->Position()));
    D.FrameCount[CurrentDesign] = FrBar->Position();
}

void TMainSheet::NameEChange() { SetFieldText(D.ImageName[CurrentDesign], NameE->Text()); }

void TMainSheet::FolderEChange() { SetFieldText(D.ImageFolder[CurrentDesign], FolderE->Text()); }

void TMainSheet::Button2Click() {
    RestoreDirectory();
    if (IsBuiltInSet(D.ImageSelection[CurrentDesign])) return;
    const int count = D.FrameCount[CurrentDesign];
    const int frames = std::clamp(count, 0, kMaxFrameCount);
    bool missing = false;
    for (int n = 1; n <= frames; ++n) {
        if (!GameFileExists(FramePath(n))) {
            ShowMessage(QStringLiteral("File ") + FramePath(n) + QStringLiteral(" does not exist"));
            missing = true;
        }
    }
    // A frame count outside 1..180 (a damaged file) can never be activated,
    // so it is never reported as found ok.
    if (count < 1 || count > kMaxFrameCount)
        ShowMessage(QStringLiteral("Frame count ") + QString::number(count) + QStringLiteral(" is not in 1 to ") +
                    QString::number(kMaxFrameCount) + QStringLiteral("."));
    else if (!missing)
        ShowMessage(QStringLiteral("Files found ok."));
}

// Every frame of the custom files exists. A damaged selection number or a
// frame count outside the bar's range never counts as complete.
bool TMainSheet::AllFramesExist() {
    const int frames = D.FrameCount[CurrentDesign];
    if (D.ImageSelection[CurrentDesign] != kCustomImage || frames < 1 || frames > kMaxFrameCount) return false;
    for (int n = 1; n <= frames; ++n)
        if (!GameFileExists(FramePath(n))) return false;
    return true;
}

void TMainSheet::ActivateClick() {
    const int d = CurrentDesign;
    if (!Activate->Checked()) {
        D.Active[d] = 0;
        return;
    }
    RestoreDirectory();
    if (ShipName->Text().isEmpty()) {
        ShowMessage(QStringLiteral("Name your design using the slot in\nGeneral information page."));
        D.Active[d] = 0;
        Activate->SetChecked(false);
        return;
    }
    if (!IsBuiltInSet(D.ImageSelection[d])) {
        if (AllFramesExist()) {
            D.Active[d] = 1;
        } else {
            ShowMessage(QStringLiteral("All Images not OK."));
            D.Active[d] = 0;
            Activate->SetChecked(false);
        }
        return;
    }
    D.Active[d] = 1;
}

}  // namespace hull
