// The controls' event rules, which the form's handlers rely on.
#include "tests/editor/support_editor.h"

#include "editor/controls.h"

#include <QRadioButton>

using namespace hull;
using hulltest::EditorTest;

class ControlsTest : public EditorTest {
protected:
    QWidget parent;
    int events = 0;
    Event count = [this] { ++events; };
};

TEST_F(ControlsTest, TrackBarClampsAndFiresOnlyOnRealChange) {
    TTrackBar bar(&parent, 4, 30, 10);
    bar.OnChange = count;
    struct Case {
        int set;
        int position;
        int events;
    } cases[] = {
        {10, 10, 0},               // same position: no event
        {15, 15, 1}, {99, 30, 2},  // clamped to the maximum
        {31, 30, 2},               // clamps to the same position: no event
        {-5, 4, 3},  {4, 4, 3},
    };
    for (const Case& c : cases) {
        bar.SetPosition(c.set);
        EXPECT_EQ(bar.Position(), c.position) << "set " << c.set;
        EXPECT_EQ(bar.value(), c.position) << "set " << c.set;
        EXPECT_EQ(events, c.events) << "set " << c.set;
    }
}

TEST_F(ControlsTest, TrackBarUserMoveFiresAndNestedSetRunsNestedEvent) {
    // A handler that pins the bar at 60 (as the frame bar does for built-in
    // pictures) sees the nested event, and the bar ends at 60.
    TTrackBar bar(&parent, 1, 180, 60);
    std::vector<int> seen;
    bar.OnChange = [&] {
        seen.push_back(bar.Position());
        bar.SetPosition(60);
    };
    bar.setValue(100);  // as a user drag does
    EXPECT_EQ(bar.Position(), 60);
    EXPECT_EQ(bar.value(), 60);
    EXPECT_EQ(seen, (std::vector<int>{100, 60}));
}

TEST_F(ControlsTest, TrackBarRangeChangeClampsPosition) {
    TTrackBar bar(&parent, 15, 100, 80);
    bar.OnChange = count;
    bar.SetRange(15, 50);
    EXPECT_EQ(bar.Position(), 50);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(bar.Max(), 50);
}

TEST_F(ControlsTest, CheckBoxFiresOnlyOnStateChange) {
    TCheckBox box(&parent, "x");
    box.OnClick = count;
    box.SetChecked(false);
    EXPECT_EQ(events, 0);
    box.SetChecked(true);
    box.SetChecked(true);
    EXPECT_EQ(events, 1);
    EXPECT_TRUE(box.isChecked());
    box.click();  // the user unchecks it
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(events, 2);
}

TEST_F(ControlsTest, CheckBoxUncheckedFromItsOwnEventStaysUnchecked) {
    TCheckBox box(&parent, "x");
    std::vector<bool> seen;
    box.OnClick = [&] {
        seen.push_back(box.Checked());
        if (box.Checked()) box.SetChecked(false);
    };
    box.click();
    EXPECT_FALSE(box.Checked());
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(ControlsTest, RadioGroupFiresOnlyOnIndexChange) {
    TRadioGroup group(&parent, "g", {"a", "b", "c"});
    group.OnClick = count;
    group.SetItemIndex(0);
    EXPECT_EQ(events, 1);
    group.SetItemIndex(0);
    EXPECT_EQ(events, 1);
    group.Button(2)->click();
    EXPECT_EQ(group.ItemIndex(), 2);
    EXPECT_EQ(events, 2);
    group.SetItemIndex(7);  // not an item: nothing selected
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_FALSE(group.Button(2)->isChecked());
}

TEST_F(ControlsTest, MaskEditSetFromCodeAlwaysFiresAndLimitsLength) {
    TMaskEdit edit(&parent, 19);
    edit.OnChange = count;
    edit.SetText("abc");
    edit.SetText("abc");
    EXPECT_EQ(events, 2);
    edit.setFocus();
    hulltest::TypeText(&edit, "defghijklmnopqrstuvwxyz");
    EXPECT_EQ(edit.Text(), QString("abcdefghijklmnopqrs"));
    EXPECT_EQ(edit.Text().size(), 19);
}

TEST_F(ControlsTest, ComboAndListIndexFromCodeRunNoEvent) {
    TComboBox combo(&parent, {"a", "b", "c"}, "pick");
    combo.OnChange = count;
    combo.SetItemIndex(2);
    EXPECT_EQ(combo.ItemIndex(), 2);
    combo.SetItemIndex(9);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_FALSE(combo.isEditable());
    TListBox list(&parent, {"0", "1", "2"}, 2);
    list.OnClick = count;
    list.SetItemIndex(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(events, 0);
    list.setCurrentRow(2);  // as a user selection does
    EXPECT_EQ(events, 1);
}

TEST_F(ControlsTest, StringGridRowFromCodeSelectsTheRow) {
    TStringGrid grid(&parent, 4, 20, {100, 40, 30, 30}, 16);
    std::vector<int> rows;
    grid.OnSelectCell = [&](int, int row) { rows.push_back(row); };
    grid.SetRow(5);
    grid.SetRow(20);            // outside the grid: ignored
    grid.setCurrentCell(7, 1);  // as a click does
    EXPECT_EQ(rows, (std::vector<int>{5, 7}));
    EXPECT_EQ(grid.Row(), 7);
    grid.SetCell(0, 3, "Laser");
    EXPECT_EQ(grid.Cell(0, 3), QString("Laser"));
    EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(ControlsTest, CanvasDrawsLinesAndEllipsesInPlace) {
    TImage image(&parent, 200, 200, true);
    TCanvas& canvas = image.Canvas();
    EXPECT_EQ(image.Picture().size(), QSize(200, 200));
    EXPECT_EQ(qAlpha(image.Picture().pixel(50, 50)), 0);
    canvas.penColor = ColorFromBgr(0x00FFFF);  // yellow as $00BBGGRR
    canvas.MoveTo(10, 10);
    canvas.LineTo(10, 40);
    EXPECT_EQ(image.Picture().pixel(10, 25), qRgb(255, 255, 0));
    canvas.penColor = ColorFromBgr(0xFF0000);  // blue
    canvas.brushColor = ColorFromBgr(0xFF0000);
    canvas.Ellipse(98, 98, 102, 102);
    EXPECT_EQ(image.Picture().pixel(100, 100), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(image.Picture().pixel(103, 100)), 0);
    EXPECT_EQ(qAlpha(image.Picture().pixel(102, 100)), 0);  // the box's far edge is outside
    canvas.brushClear = true;
    canvas.penColor = ColorFromBgr(0x0000FF);
    canvas.Ellipse(50, 50, 150, 150);
    EXPECT_EQ(image.Picture().pixel(50, 100), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(image.Picture().pixel(100, 100)), 255);  // the dot, not filled over
    EXPECT_EQ(image.Picture().pixel(100, 100), qRgb(0, 0, 255));
}

TEST_F(ControlsTest, MessagesGoToTheSinkAndDialogToTheChooser) {
    ShowMessage("hello");
    EXPECT_EQ(messages, QStringList{"hello"});
    TOpenDialog dialog;
    TOpenDialog::SetChooser([](const TOpenDialog&) { return QString(); });
    EXPECT_FALSE(dialog.Execute());
    TOpenDialog::SetChooser([](const TOpenDialog& d) { return d.InitialDir + "/a0001.bmp"; });
    dialog.InitialDir = ".";
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, QString("./a0001.bmp"));
}
