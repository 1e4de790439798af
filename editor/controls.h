// Thin controls over the Qt widgets with the event rules the editor's handlers
// are written against:
//  - a track bar set from code clamps to its range and runs OnChange only when
//    the clamped position differs from the old one;
//  - a check box or radio group set from code runs OnClick only when its state
//    changes;
//  - a mask edit set from code always runs OnChange;
//  - a combo box or list box index set from code runs no event.
// User actions run the same events. Every control is a child widget owned by
// its Qt parent.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>

#include <functional>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace hull {

using Event = std::function<void()>;

// Runs `handler` whenever the mouse moves over `widget` (mouse tracking on).
void OnMouseMove(QWidget* widget, Event handler);
// Runs `handler` whenever `widget` receives the keyboard focus.
void OnEnter(QWidget* widget, Event handler);

class TTrackBar : public QSlider {
    Q_OBJECT
public:
    TTrackBar(QWidget* parent, int min, int max, int position);

    int Position() const { return position_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetPosition(int position);
    void SetRange(int min, int max);

    Event OnChange;

private:
    void Apply(int position);
    void Sync();

    int min_;
    int max_;
    int position_;
};

class TCheckBox : public QCheckBox {
    Q_OBJECT
public:
    TCheckBox(QWidget* parent, const QString& caption);

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

    Event OnClick;

private:
    void Apply(bool checked);
    bool checked_ = false;
};

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(QWidget* parent, const QString& caption, const QStringList& items);

    int ItemIndex() const { return index_; }
    void SetItemIndex(int index);
    int Count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* Button(int i) const { return buttons_[static_cast<size_t>(i)]; }

    Event OnClick;

private:
    void Apply(int index);
    void Sync();

    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
    int index_ = -1;
};

// A line edit limited to `maxLength` characters (the 19 characters a 20-byte
// record text holds).
class TMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    TMaskEdit(QWidget* parent, int maxLength);

    QString Text() const { return text(); }
    void SetText(const QString& text);
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }

    Event OnChange;
};

// A read-only echo field; typed text is never read.
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent, bool enabled = false);
    void SetText(const QString& text) { setText(text); }
    QString Text() const { return text(); }
};

// A drop-down list: the user picks one of the items, nothing can be typed.
class TComboBox : public QComboBox {
    Q_OBJECT
public:
    TComboBox(QWidget* parent, const QStringList& items, const QString& placeholder);

    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index);

    Event OnChange;
};

class TListBox : public QListWidget {
    Q_OBJECT
public:
    TListBox(QWidget* parent, const QStringList& items, int columns);

    int ItemIndex() const { return currentRow(); }
    void SetItemIndex(int index);

    Event OnClick;

private:
    int rows_;
};

// A grid for display and row selection only.
class TStringGrid : public QTableWidget {
    Q_OBJECT
public:
    TStringGrid(QWidget* parent, int columns, int rows, const std::vector<int>& widths, int rowHeight);

    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    int Row() const { return row_; }
    // Makes `row` the current row, which runs OnSelectCell as a user selection does.
    void SetRow(int row);

    std::function<void(int col, int row)> OnSelectCell;

private:
    void Select(int col, int row);
    int row_ = -1;
};

// The drawing tools of an image's canvas.
class TCanvas {
public:
    TCanvas(QImage& picture, QWidget* owner) : picture_(picture), owner_(owner) {}

    QColor brushColor{Qt::white};
    bool brushClear = false;
    QColor penColor{Qt::black};

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // An ellipse inside the box from (x1, y1) up to but not including (x2, y2),
    // outlined with the pen and filled with the brush unless the brush is clear.
    void Ellipse(int x1, int y1, int x2, int y2);

private:
    QImage& picture_;
    QWidget* owner_;  // repainted after each drawing call
    int penX_ = 0;
    int penY_ = 0;
};

// Converts a colour written as $00BBGGRR to a Qt colour.
QColor ColorFromBgr(unsigned bgr);

// A picture shown stretched over the widget's whole area. A transparent image
// lets what lies beneath show through where its picture is transparent.
class TImage : public QWidget {
    Q_OBJECT
public:
    TImage(QWidget* parent, int width, int height, bool transparent = false);

    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);
    // The canvas draws into the picture; an empty picture first becomes a
    // blank one of the widget's size.
    TCanvas& Canvas();
    void Changed() { update(); }

    int Tag = 0;
    Event OnClick;
    std::function<void(int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButtons buttons, int x, int y)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    bool transparent_;
    QImage picture_;
    TCanvas canvas_{picture_, this};
};

// Message box with an OK button. Tests replace the box through SetMessageSink.
void ShowMessage(const QString& text);
using MessageSink = std::function<void(const QString&)>;
// Installs `sink` in place of the message box; an empty sink restores the box.
void SetMessageSink(MessageSink sink);

// The open-file dialog.
class TOpenDialog {
public:
    QString Filter;
    QString InitialDir;
    QString Title;
    QString FileName;
    QWidget* Parent = nullptr;

    // Shows the dialog; false when the user cancels.
    bool Execute();

    // Tests answer the dialog through a chooser: it returns the chosen file, or
    // an empty string for a cancel.
    using Chooser = std::function<QString(const TOpenDialog&)>;
    static void SetChooser(Chooser chooser);
};

}  // namespace hull
