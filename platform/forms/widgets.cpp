// The widgets of the form toolkit: how each one draws and takes the mouse and
// the keyboard.
#include <algorithm>

#include "platform/forms/formwindow.h"
#include "platform/forms/forms.h"

TControl::TControl(TForm* owner) : owner_(owner) {
    if (owner_) owner_->AddControl(this);
}

TControl::~TControl() {
    if (owner_) owner_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

void TControl::MouseDown(int, int) {}
void TControl::MouseUp(int, int, bool) {}
bool TControl::KeyDown(std::uint16_t, TShiftState) { return false; }
bool TControl::KeyUp(std::uint16_t, TShiftState) { return false; }

// ---- TLabel -------------------------------------------------------------

void TLabel::Paint(TCanvas& canvas, bool) {
    if (WordWrap)
        canvas.WrappedText(BoundsRect(), Caption, Enabled ? ui::Text : ui::Shadow);
    else
        canvas.TextOut(Left, Top, Caption, Enabled ? ui::Text : ui::Shadow);
}

// ---- TButton ------------------------------------------------------------

TButton::TButton(TForm* owner) : TControl(owner) { TabStop = true; }

void TButton::Click() {
    if (OnClick) OnClick(this);
}

void TButton::Paint(TCanvas& canvas, bool focused) {
    const TRect r = BoundsRect();
    canvas.FillRect(r, ui::Face);
    if (down_) {
        canvas.Frame(r, ui::DarkShadow, ui::DarkShadow);
        canvas.Frame({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, ui::Shadow, ui::Shadow);
    } else if (focused) {
        // The focused button carries the default button's dark outline.
        canvas.Frame(r, ui::DarkShadow, ui::DarkShadow);
        canvas.Frame({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, ui::Highlight, ui::DarkShadow);
        canvas.Frame({r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, ui::Light, ui::Shadow);
    } else {
        canvas.Frame(r, ui::Highlight, ui::DarkShadow);
        canvas.Frame({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, ui::Light, ui::Shadow);
    }
    const int shift = down_ ? 1 : 0;
    const int tw = canvas.TextWidth(Caption);
    const int tx = r.Left + (Width - tw) / 2 + shift;
    const int ty = r.Top + (Height - canvas.LineHeight()) / 2 + shift;
    canvas.TextOut(tx, ty, Caption, Enabled ? ui::Text : ui::Shadow);
    if (focused) canvas.FocusRect({r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4});
}

void TButton::MouseDown(int, int) { down_ = true; }

void TButton::MouseUp(int, int, bool inside) {
    const bool wasDown = down_;
    down_ = false;
    if (wasDown && inside) Click();
}

bool TButton::KeyDown(std::uint16_t key, TShiftState) {
    if (key == VK_SPACE) {
        down_ = true;
        return true;
    }
    if (key == VK_RETURN) {
        Click();
        return true;
    }
    return false;
}

bool TButton::KeyUp(std::uint16_t key, TShiftState) {
    if (key != VK_SPACE || !down_) return false;
    down_ = false;
    Click();
    return true;
}

// ---- TCheckBox ----------------------------------------------------------

TCheckBox::TCheckBox(TForm* owner) : TControl(owner) { TabStop = true; }

void TCheckBox::Toggle() {
    Checked = !Checked;
    if (OnClick) OnClick(this);
}

void TCheckBox::Paint(TCanvas& canvas, bool focused) {
    const int box = 13;
    const int bx = Left;
    const int by = Top + (Height - box) / 2;
    canvas.FillRect({bx, by, bx + box, by + box}, ui::Window);
    canvas.Frame({bx, by, bx + box, by + box}, ui::Shadow, ui::Highlight);
    canvas.Frame({bx + 1, by + 1, bx + box - 1, by + box - 1}, ui::DarkShadow, ui::Light);
    if (Checked) {
        // A tick of three-pixel-thick strokes.
        for (int i = 0; i < 3; ++i) {
            for (int t = 0; t < 3; ++t) canvas.Pixel(bx + 3 + i, by + 5 + i + t, ui::Text);
            for (int j = 0; j < 4; ++j)
                for (int t = 0; t < 3; ++t) canvas.Pixel(bx + 6 + j, by + 6 - j + t, ui::Text);
        }
    }
    const int tx = bx + box + 4;
    const int ty = Top + (Height - canvas.LineHeight()) / 2;
    canvas.TextOut(tx, ty, Caption, Enabled ? ui::Text : ui::Shadow);
    if (focused) {
        const int tw = canvas.TextWidth(Caption);
        canvas.FocusRect({tx - 1, ty, tx + tw + 2, ty + canvas.LineHeight() + 1});
    }
}

void TCheckBox::MouseUp(int, int, bool inside) {
    if (inside) Toggle();
}

bool TCheckBox::KeyDown(std::uint16_t key, TShiftState) {
    if (key != VK_SPACE) return false;
    Toggle();
    return true;
}

// ---- TListBox -----------------------------------------------------------

TListBox::TListBox(TForm* owner) : TControl(owner) { TabStop = true; }

void TListBox::SelectItem(int index) {
    if (Items.empty()) {
        ItemIndex = -1;
        TopIndex = 0;
        return;
    }
    ItemIndex = std::clamp(index, 0, static_cast<int>(Items.size()) - 1);
    const int visible = std::max(1, (Height - 4) / std::max(1, ItemHeight));
    if (ItemIndex < TopIndex) TopIndex = ItemIndex;
    if (ItemIndex >= TopIndex + visible) TopIndex = ItemIndex - visible + 1;
}

void TListBox::Paint(TCanvas& canvas, bool focused) {
    const TRect r = BoundsRect();
    canvas.FillRect(r, ui::Window);
    canvas.Frame(r, ui::Shadow, ui::Highlight);
    canvas.Frame({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, ui::DarkShadow, ui::Light);
    const TRect inner{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    canvas.SetClip(inner);
    const int count = static_cast<int>(Items.size());
    for (int i = std::max(0, TopIndex); i < count; ++i) {
        const int y = inner.Top + (i - TopIndex) * ItemHeight;
        if (y >= inner.Bottom) break;
        const TRect line{inner.Left, y, inner.Right, y + ItemHeight};
        const bool selected = Selected(i);
        if (selected) canvas.FillRect(line, focused ? ui::Selection : ui::Face);
        canvas.TextOut(line.Left + 2, y + (ItemHeight - canvas.LineHeight()) / 2, Items[static_cast<std::size_t>(i)],
                       selected && focused ? ui::SelectionText : ui::Text);
        if (focused && (i == ItemIndex)) canvas.FocusRect(line);
    }
    if (focused && ItemIndex < 0) canvas.FocusRect({inner.Left, inner.Top, inner.Right, inner.Top + ItemHeight});
}

void TListBox::MouseDown(int, int y) {
    const int index = TopIndex + (y - Top - 2) / std::max(1, ItemHeight);
    if (y - Top - 2 >= 0 && index < static_cast<int>(Items.size())) SelectItem(index);
}

bool TListBox::KeyDown(std::uint16_t key, TShiftState) {
    if (Items.empty()) return key == VK_UP || key == VK_DOWN;
    switch (key) {
        case VK_UP: SelectItem(ItemIndex < 0 ? 0 : ItemIndex - 1); return true;
        case VK_DOWN: SelectItem(ItemIndex < 0 ? 0 : ItemIndex + 1); return true;
        case VK_HOME: SelectItem(0); return true;
        case VK_END: SelectItem(static_cast<int>(Items.size()) - 1); return true;
        default: return false;
    }
}

// ---- TImage -------------------------------------------------------------

bool TImage::LoadJpeg(const unsigned char* data, std::size_t size) { return plat::DecodeJpeg(data, size, Picture); }

void TImage::Paint(TCanvas& canvas, bool) {
    if (Picture.Width <= 0 || Picture.Height <= 0) return;
    if (Stretch)
        canvas.StretchPicture(Picture, BoundsRect());
    else
        canvas.StretchPicture(Picture, {Left, Top, Left + Picture.Width, Top + Picture.Height});
}
