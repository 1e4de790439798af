#include "tests/editor/support_editor.h"

#include "tests/editor/application_environment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>

#include <unistd.h>

namespace hulltest {

namespace {

// gtest owns registered environments.
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment("editor_tests"));

}  // namespace

void EditorTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    QString test = QString::fromLatin1(info->test_suite_name()) + '_' + QString::fromLatin1(info->name());
    test.replace('/', '_');
    dir = QStringLiteral(VANTORRA_TEST_TMP "/editor_%1_%2").arg(test).arg(getpid());
    QDir(dir).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(dir));
    oldDir = QDir::currentPath();
    QDir::setCurrent(dir);
    hull::SetMessageSink([this](const QString& text) { messages << text; });
}

void EditorTest::TearDown() {
    hull::SetMessageSink({});
    hull::TOpenDialog::SetChooser({});
    QDir::setCurrent(oldDir);
    QDir(dir).removeRecursively();
}

std::unique_ptr<hull::TMainSheet> EditorTest::MakeSheet() { return std::make_unique<hull::TMainSheet>(); }

QString EditorTest::Path(const QString& name) const { return dir + '/' + name; }

void EditorTest::WriteFile(const QString& name, const Bytes& bytes) const {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

Bytes EditorTest::ReadFile(const QString& name) const {
    QFile file(Path(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

bool EditorTest::Exists(const QString& name) const { return QFile::exists(Path(name)); }

void EditorTest::WriteFrame(const QString& gamePath) const {
    QString path = gamePath;
    path.replace('\\', '/');
    QDir(dir).mkpath(QFileInfo(Path(path)).path());
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(Path(path), "BMP"));
}

void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

Bytes DefaultRecord() {
    Bytes r(1256, 0);
    for (int s = 0; s < 20; ++s) {
        PutInt(r, 4 + 4 * s, -1);
        PutFloat(r, 324 + 4 * s, 1000.0f);
        PutInt(r, 688 + 4 * s, 10);
        PutInt(r, 768 + 4 * s, 120);
    }
    PutInt(r, 488, 100);
    PutInt(r, 492, 4);
    PutInt(r, 504, 3);
    PutFloat(r, 508, 1.0f);
    PutInt(r, 512, 50);
    PutInt(r, 516, 50);
    PutInt(r, 520, 25);
    PutInt(r, 524, 25);
    PutInt(r, 528, 60);
    PutInt(r, 596, 2);
    return r;
}

}  // namespace hulltest
