#include "editor/controls.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace hull {

namespace {

// Runs a handler for one event type of one widget.
class EventHook : public QObject {
public:
    EventHook(QWidget* widget, QEvent::Type type, Event handler)
        : QObject(widget), type_(type), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != type_ || !handler_) return false;
        handler_();
        // A plain mouse move stops here, so the help of the page beneath
        // does not replace the help of the control under the mouse.
        if (type_ == QEvent::MouseMove) return static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton;
        return false;
    }

private:
    QEvent::Type type_;
    Event handler_;
};

void Fire(const Event& event) {
    if (event) event();
}

}  // namespace

void OnMouseMove(QWidget* widget, Event handler) {
    widget->setMouseTracking(true);
    widget->installEventFilter(new EventHook(widget, QEvent::MouseMove, std::move(handler)));
}

void OnEnter(QWidget* widget, Event handler) {
    widget->installEventFilter(new EventHook(widget, QEvent::FocusIn, std::move(handler)));
}

// ---- TTrackBar ----

TTrackBar::TTrackBar(QWidget* parent, int min, int max, int position)
    : QSlider(Qt::Horizontal, parent), min_(min), max_(max), position_(std::clamp(position, min, max)) {
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(std::max(1, (max - min) / 10));
    setPageStep(std::max(1, (max - min) / 10));
    Sync();
    connect(this, &QSlider::valueChanged, this, [this](int value) { Apply(value); });
}

void TTrackBar::Sync() {
    const QSignalBlocker block(this);
    setRange(min_, max_);
    setValue(position_);
}

void TTrackBar::Apply(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) {
        Sync();
        return;
    }
    position_ = position;
    Sync();
    Fire(OnChange);
}

void TTrackBar::SetPosition(int position) { Apply(position); }

void TTrackBar::SetRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    Apply(position_);
    Sync();
}

// ---- TCheckBox ----

TCheckBox::TCheckBox(QWidget* parent, const QString& caption) : QCheckBox(caption, parent) {
    connect(this, &QCheckBox::toggled, this, [this](bool on) { Apply(on); });
}

void TCheckBox::Apply(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    {
        const QSignalBlocker block(this);
        setChecked(checked);
    }
    Fire(OnClick);
}

void TCheckBox::SetChecked(bool checked) { Apply(checked); }

// ---- TRadioGroup ----

TRadioGroup::TRadioGroup(QWidget* parent, const QString& caption, const QStringList& items)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        layout->addWidget(button);
        group_->addButton(button, i);
        buttons_.push_back(button);
    }
    layout->addStretch();
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) Apply(id);
    });
}

void TRadioGroup::Sync() {
    const QSignalBlocker block(group_);
    group_->setExclusive(false);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const QSignalBlocker blockButton(buttons_[i]);
        buttons_[i]->setChecked(static_cast<int>(i) == index_);
    }
    group_->setExclusive(true);
}

void TRadioGroup::Apply(int index) {
    if (index < -1 || index >= Count()) index = -1;
    if (index == index_) {
        Sync();
        return;
    }
    index_ = index;
    Sync();
    Fire(OnClick);
}

void TRadioGroup::SetItemIndex(int index) { Apply(index); }

// ---- TMaskEdit, TEdit ----

TMaskEdit::TMaskEdit(QWidget* parent, int maxLength) : QLineEdit(parent) {
    setMaxLength(maxLength);
    connect(this, &QLineEdit::textEdited, this, [this](const QString&) { Fire(OnChange); });
}

void TMaskEdit::SetText(const QString& text) {
    {
        const QSignalBlocker block(this);
        setText(text);
    }
    Fire(OnChange);
}

TEdit::TEdit(QWidget* parent, bool enabled) : QLineEdit(parent) {
    setReadOnly(true);
    setEnabled(enabled);
}

// ---- TComboBox ----

TComboBox::TComboBox(QWidget* parent, const QStringList& items, const QString& placeholder) : QComboBox(parent) {
    setEditable(false);
    addItems(items);
    setPlaceholderText(placeholder);
    setCurrentIndex(-1);
    connect(this, &QComboBox::activated, this, [this](int) { Fire(OnChange); });
}

void TComboBox::SetItemIndex(int index) {
    const QSignalBlocker block(this);
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

// ---- TListBox ----

TListBox::TListBox(QWidget* parent, const QStringList& items, int columns)
    : QListWidget(parent), rows_((static_cast<int>(items.size()) + columns - 1) / std::max(1, columns)) {
    addItems(items);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) Fire(OnClick);
    });
}

void TListBox::SetItemIndex(int index) {
    const QSignalBlocker block(this);
    setCurrentRow(index >= 0 && index < count() ? index : -1);
}

// ---- TStringGrid ----

TStringGrid::TStringGrid(QWidget* parent, int columns, int rows, const std::vector<int>& widths, int rowHeight)
    : QTableWidget(rows, columns, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int c = 0; c < columns && c < static_cast<int>(widths.size()); ++c)
        setColumnWidth(c, widths[static_cast<size_t>(c)]);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) setItem(r, c, new QTableWidgetItem);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
        if (row >= 0) Select(col, row);
    });
    // A click on the row that is already current selects it again.
    connect(this, &QTableWidget::cellPressed, this, [this](int row, int col) {
        if (row == currentRow()) Select(col, row);
    });
}

QString TStringGrid::Cell(int col, int row) const {
    const QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

void TStringGrid::SetCell(int col, int row, const QString& text) {
    if (QTableWidgetItem* cell = item(row, col)) cell->setText(text);
}

void TStringGrid::Select(int col, int row) {
    row_ = row;
    if (OnSelectCell) OnSelectCell(col, row);
}

void TStringGrid::SetRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    {
        const QSignalBlocker block(this);
        setCurrentCell(row, std::max(0, currentColumn()));
    }
    Select(std::max(0, currentColumn()), row);
}

// ---- TCanvas ----

QColor ColorFromBgr(unsigned bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

void TCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void TCanvas::LineTo(int x, int y) {
    if (!picture_.isNull()) {
        QPainter painter(&picture_);
        painter.setPen(QPen(penColor, 0));
        painter.drawLine(penX_, penY_, x, y);
    }
    penX_ = x;
    penY_ = y;
    owner_->update();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    if (picture_.isNull()) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    QPainter painter(&picture_);
    painter.setPen(QPen(penColor, 0));
    if (brushClear)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(brushColor);
    // The outline runs along the box's first and last pixel rows and columns.
    painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    owner_->update();
}

// ---- TImage ----

TImage::TImage(QWidget* parent, int width, int height, bool transparent) : QWidget(parent), transparent_(transparent) {
    resize(width, height);
    if (transparent) setAttribute(Qt::WA_TranslucentBackground);
}

void TImage::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

TCanvas& TImage::Canvas() {
    if (picture_.isNull()) {
        picture_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_ARGB32);
        picture_.fill(transparent_ ? QColor(0, 0, 0, 0) : QColor(Qt::white));
    }
    return canvas_;
}

void TImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(rect(), picture_);
}

void TImage::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
}

void TImage::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event->buttons(), static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Fire(OnClick);
}

// ---- messages and the open dialog ----

namespace {
MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}
TOpenDialog::Chooser& DialogChooser() {
    static TOpenDialog::Chooser chooser;
    return chooser;
}
}  // namespace

void SetMessageSink(MessageSink sink) { Sink() = std::move(sink); }

void ShowMessage(const QString& text) {
    if (Sink()) {
        Sink()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Hullsmith"), text, QMessageBox::Ok);
    box.exec();
}

void TOpenDialog::SetChooser(Chooser chooser) { DialogChooser() = std::move(chooser); }

bool TOpenDialog::Execute() {
    QString chosen;
    if (DialogChooser()) {
        chosen = DialogChooser()(*this);
    } else {
        // "Name|pattern" pairs become Qt's "Name (pattern)" filters.
        QStringList parts = Filter.split('|');
        QStringList filters;
        for (int i = 0; i + 1 < parts.size(); i += 2) filters << parts[i] + " (" + parts[i + 1] + ")";
        chosen = QFileDialog::getOpenFileName(Parent, Title, InitialDir, filters.join(";;"), nullptr,
                                              QFileDialog::DontUseNativeDialog);
    }
    if (chosen.isEmpty()) return false;
    FileName = chosen;
    return true;
}

}  // namespace hull
