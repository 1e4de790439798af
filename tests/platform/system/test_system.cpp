#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/system/debug.h"
#include "platform/forms/msgbox.h"
#include "platform/system/quit.h"
#include "platform/system/systime.h"

TEST(MessageBoxes, DefaultAnswerFollowsTheButtons) {
    EXPECT_EQ(plat::DefaultMessageBoxAnswer(MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(plat::DefaultMessageBoxAnswer(MB_YESNO), IDYES);
    EXPECT_EQ(plat::DefaultMessageBoxAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(plat::DefaultMessageBoxAnswer(MB_OKCANCEL), IDOK);
}

TEST(MessageBoxes, WithoutADisplayTheTextGoesToStandardError) {
    // The tests run under the dummy video driver: no box can be shown.
    ASSERT_STREQ(std::getenv("SDL_VIDEODRIVER"), "dummy");
    ::testing::internal::CaptureStderr();
    int answer = MessageBoxA(nullptr, "Continue with Sound turned off?", "Error", MB_YESNO);
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, IDYES);
    EXPECT_NE(err.find("Error"), std::string::npos);
    EXPECT_NE(err.find("Continue with Sound turned off?"), std::string::npos);
}

TEST(MessageBoxes, AHandlerSeesTheCall) {
    plat::WindowHandle owner;
    plat::MessageBoxCall seen;
    plat::SetMessageBoxHandler([&](const plat::MessageBoxCall& c) {
        seen = c;
        return IDNO;
    });
    EXPECT_EQ(MessageBoxA(&owner, "text", "caption", MB_YESNO), IDNO);
    plat::SetMessageBoxHandler({});
    EXPECT_EQ(seen.owner, &owner);
    EXPECT_EQ(seen.text, "text");
    EXPECT_EQ(seen.caption, "caption");
    EXPECT_EQ(seen.type, MB_YESNO);
}

TEST(QuitMessage, PostedOnceAndCleared) {
    plat::ClearQuit();
    EXPECT_FALSE(plat::QuitPosted());
    PostQuitMessage(3);
    EXPECT_TRUE(plat::QuitPosted());
    EXPECT_EQ(plat::QuitExitCode(), 3);
    plat::ClearQuit();
    EXPECT_FALSE(plat::QuitPosted());
}

TEST(DebugOutput, SilentUnlessAsked) {
    ::unsetenv("VANTORRA_DEBUG_OUTPUT");
    ::testing::internal::CaptureStderr();
    OutputDebugStringA("handle is null\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    std::string caught;
    plat::SetDebugOutputSink([&](const std::string& t) { caught += t; });
    OutputDebugStringA("ddcopybitmap failed\n");
    plat::SetDebugOutputSink({});
    EXPECT_EQ(caught, "ddcopybitmap failed\n");
}

TEST(Time, RealClockMovesForwardAndCanBeReplaced) {
    const DWORD a = timeGetTime();
    // It moves on by itself: a millisecond's sleep at a time until it does
    // (a minute's worth of them at the least, should it stand still).
    DWORD b = a;
    for (int i = 0; i < 60000 && b == a; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        b = timeGetTime();
    }
    EXPECT_GT(b, a);
    plat::SetTimeSource([] { return DWORD{0xFFFFFFF0u}; });
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    plat::SetTimeSource({});
    // The real clock again, going on from where it was.
    const DWORD c = timeGetTime();
    EXPECT_GE(c, b);
    EXPECT_NE(c, 0xFFFFFFF0u);
}
