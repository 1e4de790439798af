// The one QApplication of an editor test program, made offscreen before the
// first test and destroyed after the last. A test program registers it once:
//   ::testing::AddGlobalTestEnvironment(new hulltest::ApplicationEnvironment("name"));
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <cstring>
#include <memory>

namespace hulltest {

class ApplicationEnvironment : public ::testing::Environment {
public:
    explicit ApplicationEnvironment(const char* programName) { std::strncpy(name_, programName, sizeof name_ - 1); }
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[32] = {};
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

}  // namespace hulltest
