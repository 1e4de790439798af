// Shared helpers of the editor tests: one QApplication per test program, a
// scratch game folder per test, captured message boxes and hand-built
// ships.dat bytes.
#pragma once

#include "editor/mainsheet.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace hulltest {

using Bytes = std::vector<uint8_t>;

inline void PutInt(Bytes& b, size_t at, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) b.at(at + static_cast<size_t>(i)) = static_cast<uint8_t>(u >> (8 * i));
}
inline void PutFloat(Bytes& b, size_t at, float v) {
    int32_t i;
    std::memcpy(&i, &v, 4);
    PutInt(b, at, i);
}
inline void PutText(Bytes& b, size_t at, const char* text, size_t n) {
    for (size_t i = 0; i < 20; ++i) b.at(at + i) = i < n ? static_cast<uint8_t>(text[i]) : 0;
}
inline int32_t GetInt(const Bytes& b, size_t at) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t{b.at(at + static_cast<size_t>(i))} << (8 * i);
    return static_cast<int32_t>(u);
}
inline float GetFloat(const Bytes& b, size_t at) {
    const int32_t i = GetInt(b, at);
    float f;
    std::memcpy(&f, &i, 4);
    return f;
}
inline std::string GetText(const Bytes& b, size_t at) {
    std::string s;
    for (size_t i = 0; i < 20 && b.at(at + i) != 0; ++i) s += static_cast<char>(b.at(at + i));
    return s;
}

// Each test runs in a folder of its own, which is the working directory
// while the test runs; message boxes are collected instead of shown.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<hull::TMainSheet> MakeSheet();

    QString Path(const QString& name) const;
    void WriteFile(const QString& name, const Bytes& bytes) const;
    Bytes ReadFile(const QString& name) const;
    bool Exists(const QString& name) const;
    // Writes a 100 x 100 picture at `gamePath` (written with '\').
    void WriteFrame(const QString& gamePath) const;

    QString dir;
    QString oldDir;
    QStringList messages;
};

// Types `text` into `widget` as key presses.
void TypeText(QWidget* widget, const QString& text);

// A fresh editor design as the file stores it.
Bytes DefaultRecord();

}  // namespace hulltest
