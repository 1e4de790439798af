// The start-up dialog: the display modes to choose from, sound on or off,
// "Start Fullscreen" and "Quit". Its results go straight into Form1.
#pragma once

#include <array>
#include <cstdint>

#include "platform/forms/forms.h"

struct VideoModeRecord {
    std::int32_t Height;
    std::int32_t Width;
    std::int32_t Depth;
};

inline constexpr int kMaxListedModes = 10;

class TForm2 : public TForm {
public:
    TForm2();

    std::array<VideoModeRecord, kMaxListedModes> VideoModes{};
    int VideoModeCount = 0;

    // In tab order.
    TButton Button1;
    TListBox List;
    TButton Button2;
    TCheckBox CheckBox1;
    TLabel Label1;
    TLabel Label2;

    void FormActivate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void CheckBox1Click(TObject* Sender);

private:
    bool listed_ = false;  // the modes are listed at the first activation only
};

extern TForm2* Form2;
