#include <string>

#include "vx/vxerror.h"
#include "tests/vx/vxtest_display.h"

using vxtest::DisplayTest;

class ErrorTest : public DisplayTest {};

TEST_F(ErrorTest, DirectDrawErrorNamesTheCodeFileAndLine) {
    ReportDirectDrawError(DDERR_SURFACELOST, nullptr, "vxscreen.cpp", 57);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "DirectDraw Error DDERR_SURFACELOST\nFILE: vxscreen.cpp\nLINE: 57");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].type, MB_OK);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_TRUE(plat::QuitPosted());

    ReportDirectDrawError(S_FALSE, &window, "f.cpp", 1);
    EXPECT_EQ(boxes[1].text, "DirectDraw Error Unknown Error\nFILE: f.cpp\nLINE: 1");
    EXPECT_EQ(boxes[1].owner, &window);
}

TEST_F(ErrorTest, NameTablesShareTheGeneralCodes) {
    EXPECT_STREQ(DirectDrawErrorName(E_FAIL), "DDERR_GENERIC");
    EXPECT_STREQ(DirectDrawErrorName(E_INVALIDARG), "DDERR_INVALIDPARAMS");
    EXPECT_STREQ(DirectDrawErrorName(CO_E_NOTINITIALIZED), "DDERR_NOTINITIALIZED");
    EXPECT_STREQ(DirectDrawErrorName(DDERR_WASSTILLDRAWING), "DDERR_WASSTILLDRAWING");
    EXPECT_STREQ(DirectDrawErrorName(DDERR_NOTPAGELOCKED), "DDERR_NOTPAGELOCKED");
    EXPECT_STREQ(DirectDrawErrorName(DD_OK), "Unknown Error");
    EXPECT_STREQ(DirectSoundErrorName(E_FAIL), "DSERR_GENERIC");
    EXPECT_STREQ(DirectSoundErrorName(CLASS_E_NOAGGREGATION), "DSERR_NOAGGREGATION");
    EXPECT_STREQ(DirectSoundErrorName(DSERR_UNINITIALIZED), "DSERR_UNINITIALIZED");
    EXPECT_STREQ(DirectSoundErrorName(DDERR_SURFACELOST), "Unknown Error");
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_SURFACELOST), 0x887601C2u);
}

TEST_F(ErrorTest, DirectSoundErrorAsksAndOnlyNoQuits) {
    boxAnswer = IDYES;
    ReportDirectSoundError(DSERR_NODRIVER, &window);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "DirectSound Error 'DSERR_NODRIVER.'\nContinue with Sound turned off?");
    EXPECT_EQ(boxes[0].type, MB_YESNO);
    EXPECT_EQ(boxes[0].owner, &window);
    EXPECT_FALSE(plat::QuitPosted());
    boxAnswer = IDNO;
    ReportDirectSoundError(DSERR_NODRIVER, &window);
    EXPECT_TRUE(plat::QuitPosted());
}

TEST_F(ErrorTest, FatalErrorFormatsShowsAndQuits) {
    ReportFatalError(nullptr, "%s->Create FAILED!!", "Earth");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Earth->Create FAILED!!");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_TRUE(plat::QuitPosted());

    auto screen = MakeFullScreen();
    ReportFatalError(screen.get(), "Screen->Create FAILED!!");
    EXPECT_EQ(boxes[1].owner, &window);

    // A display without its DirectDraw object still reports.
    plat::SetDirectDrawFailures(DDERR_NODIRECTDRAWHW, DD_OK);
    VXScreen broken;
    plat::SetDirectDrawFailures(DD_OK, DD_OK);
    ReportFatalError(&broken, "Surface->Create FAILED!!");
    EXPECT_EQ(boxes.back().text, "Surface->Create FAILED!!");
}

TEST_F(ErrorTest, LongTextsAreCutToTheBuffer) {
    std::string longText(3000, 'x');
    ReportFatalError(nullptr, "%s", longText.c_str());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.size(), 1023u);
}
