// A main window with a work surface of a chosen size, for tests that draw:
// a recording presenter stands in for the monitor, the interface colours get
// distinct values and sound is off.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/program/winmain.h"
#include "platform/display/presenter.h"
#include "platform/system/window_handle.h"
#include "vx/vxscreen.h"
#include "vx/vxsurface.h"

class ScreenFixture : public ::testing::Test {
protected:
    ScreenFixture(int width, int height) : width_(width), height_(height) {}

    void SetUp() override {
        plat::InstallPresenter(std::make_unique<plat::RecordingPresenter>(1920, 1080));
        form_ = std::make_unique<TForm1>();
        Form1 = form_.get();
        Form1->SoundsOn = 0;
        display_ = std::make_unique<VXScreen>();
        ASSERT_EQ(display_->CreateFullScreen(&window_, 800, 600, 16, 0), 1);
        // Fourteen distinct 5-6-5 colours, none of them black.
        const PixelValue colours[14] = {0xFFFF, 0xA514, 0x5AAB, 0xF800, 0xFB2C, 0xF986, 0x0500,
                                        0x5FEB, 0x001F, 0x633F, 0xAD7F, 0x1DBF, 0xFFE0, 0xF50D};
        for (std::size_t i = 0; i < kUIColourMembers.size(); ++i) Form1->UIColours.*kUIColourMembers[i] = colours[i];
        Resize(width_, height_);
    }

    void TearDown() override {
        Form1->WorkSurface.reset();
        Form1 = nullptr;
        form_.reset();
        display_.reset();
    }

    // A new work surface; ModeWidth and ModeHeight follow it.
    void Resize(int width, int height) {
        width_ = width;
        height_ = height;
        Form1->WorkSurface = std::make_unique<VXSurface>();
        ASSERT_EQ(Form1->WorkSurface->Create(display_.get(), width, height, MemoryAny), 1);
        Form1->ModeWidth = width;
        Form1->ModeHeight = height;
        Clear();
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

    // The surface must be unlocked for these three.
    void Clear(PixelValue colour = 0) { Form1->WorkSurface->Fill(colour); }
    PixelValue At(int x, int y) {
        LockWork();
        const PixelValue p = Form1->WorkSurface->GetPixel(x, y);
        UnlockWork();
        return p;
    }
    std::vector<PixelValue> Pixels() {
        std::vector<PixelValue> out(static_cast<std::size_t>(width_) * height_);
        LockWork();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                out[static_cast<std::size_t>(y) * width_ + x] = Form1->WorkSurface->GetPixel(x, y);
        UnlockWork();
        return out;
    }

    void LockWork() { Form1->WorkSurface->Lock(); }
    void UnlockWork() { Form1->WorkSurface->Unlock(); }
    bool WorkIsLocked() {
        return Form1->WorkSurface->DirectDrawSurface && Form1->WorkSurface->DirectDrawSurface->IsLocked();
    }

private:
    int width_, height_;
    plat::WindowHandle window_{1028, 753};
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<VXScreen> display_;
};
