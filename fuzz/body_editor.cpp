// Fuzz body of the editor's ships.dat handling.
#include <QApplication>
#include <QDir>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "editor/controls.h"
#include "editor/mainsheet.h"
#include "fuzz/scratch.h"
#include "fuzz/targets.h"
#include "shipdata/shipclassrecord.h"

namespace fuzz {

namespace {

// One application and one editor form per process, on the offscreen
// platform, in the editor's scratch folder; message boxes are dropped.
struct Editor {
    Editor() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        hull::SetMessageSink([](const QString&) {});
        EnterScratch("editorships");
        sheet = std::make_unique<hull::TMainSheet>();
    }
    ~Editor() {
        sheet.reset();
        hull::SetMessageSink({});
        app.reset();
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    int argc = 1;
    char name[16] = "fuzz_editor";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    std::unique_ptr<hull::TMainSheet> sheet;
};

Editor& TheEditor() {
    static Editor editor;
    return editor;
}

// Removes the files a wrong-sized ships.dat was kept aside as.
void RemoveKeptFiles() {
    QDir folder(QDir::currentPath());
    for (const QString& kept : folder.entryList({QStringLiteral("ships.dat.bad*")}, QDir::Files)) folder.remove(kept);
}

}  // namespace

int FuzzEditorShipsFile(const std::uint8_t* data, std::size_t size) {
    Editor& editor = TheEditor();
    hull::TMainSheet& sheet = *editor.sheet;
    EnterScratch("editorships");
    RemoveKeptFiles();
    WriteInput("ships.dat", data, size);
    // As at start-up: default designs, the file, design 0 shown.
    for (int d = 0; d < hull::kDesigns; ++d) sheet.D.SetDefaults(d);
    sheet.SlotBox->SetItemIndex(0);
    sheet.LoadShipFile();
    sheet.SlotBoxClick();
    // Every design through the form, then saved: the file is whole again.
    for (int d = 1; d < hull::kDesigns; ++d) {
        sheet.SlotBox->SetItemIndex(d);
        sheet.SlotBoxClick();
    }
    sheet.SaveShipFile();
    const auto saved = ReadBack("ships.dat");
    if (saved.size() != shipdata::kFileSize || !shipdata::DecodeFile(saved)) std::abort();
    return 0;
}

}  // namespace fuzz
