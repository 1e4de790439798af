// Message boxes. Where SDL cannot show one, the caption and text go to
// standard error and the box is drawn with the program's own forms; where no
// box can be shown at all (no display, as under the dummy video driver), the
// box's default answer is taken.
#pragma once

#include <functional>
#include <string>

#include "platform/system/win32types.h"
#include "platform/system/window_handle.h"

// Our own values. The buttons are a number in the low bits; the icon and the
// default button are flags above them.
inline constexpr UINT MB_OK = 0x00000001;
inline constexpr UINT MB_OKCANCEL = 0x00000002;
inline constexpr UINT MB_YESNO = 0x00000003;
inline constexpr UINT MB_ICONERROR = 0x00000100;
inline constexpr UINT MB_ICONQUESTION = 0x00000200;
inline constexpr UINT MB_ICONWARNING = 0x00000400;
inline constexpr UINT MB_ICONINFORMATION = 0x00000800;
inline constexpr UINT MB_DEFBUTTON2 = 0x00001000;
// The parts of a box type.
inline constexpr UINT MB_BUTTONSMASK = 0x000000FF;
inline constexpr UINT MB_ICONMASK = 0x00000F00;

inline constexpr int IDOK = 11;
inline constexpr int IDCANCEL = 12;
inline constexpr int IDYES = 13;
inline constexpr int IDNO = 14;

// Shows a modal box and returns the button chosen (IDOK, IDYES, ...).
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

namespace plat {

struct MessageBoxCall {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
};

// The answer a box takes when nobody can answer it: its default button.
int DefaultMessageBoxAnswer(UINT type);

// Replaces how boxes are shown (tests record them and answer); an empty
// function restores the real boxes. Returns the previous handler.
using MessageBoxHandler = std::function<int(const MessageBoxCall&)>;
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// For tests: SDL's box fails while set, as it does without a dialog helper,
// and the forms draw the box even under the dummy video driver.
void SetSystemMessageBoxFails(bool fails);

}  // namespace plat
