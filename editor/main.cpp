// Hullsmith, the ship editor. It runs in the game folder, next to Korvanth,
// ships.dat and the img folder.
#include "editor/mainsheet.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>
#include <memory>

namespace {

// Shows an exception that escaped a handler, as the standard display would.
class Application : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            QMessageBox::critical(nullptr, QStringLiteral("Hullsmith"), QString::fromLocal8Bit(e.what()));
            exit(0);
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    try {
        auto MainSheet = std::make_unique<hull::TMainSheet>();
        MainSheet->show();
        app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Hullsmith"), QString::fromLocal8Bit(e.what()));
    }
    return 0;
}
