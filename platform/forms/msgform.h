// A message box drawn with the program's own forms, for where the system
// cannot show one: the caption as its title, the text line by line and the
// buttons of its type with the default one focused. Tab moves between the
// buttons, Return or Space chooses one, and Escape or closing the box gives
// the answer Escape gives a system box.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/msgbox.h"

namespace plat {

// The buttons of a box type, in order.
struct BoxButton {
    int answer;         // IDOK, IDYES, ...
    const char* label;  // "OK", "Yes", ...
    bool isDefault;     // chosen by Return at first
    bool isEscape;      // chosen by Escape
};
std::vector<BoxButton> BoxButtons(UINT type);

class MessageForm : public TForm {
public:
    explicit MessageForm(const MessageBoxCall& call);

    // Shows the box over the other forms, in the middle of the program's
    // window, until it is answered; returns the answer.
    int Execute();

    std::vector<std::unique_ptr<TLabel>> Lines;
    std::vector<std::unique_ptr<TButton>> Buttons;

private:
    int answer_ = 0;
    int escapeAnswer_ = IDOK;
};

// Shows `call` as a MessageForm in the program's window. A quit message that
// is already waiting waits until the box is answered. Returns the answer, or
// 0 when there is no window to show it in.
int ShowOnForms(const MessageBoxCall& call);

}  // namespace plat
