#include "app/FieldStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {
namespace {

Field field(const char* name, FieldKind kind, const char* parent = "FormMain")
{
    Field f;
    f.name = name;
    f.kind = kind;
    f.parent = parent;
    return f;
}

// A window of every kind of field the calculations change, with a log of
// some lines, as the comparison copies it.
FieldStore window()
{
    FieldStore store;
    store.add(field("FormMain", FieldKind::Window, ""));
    Field d = field("BaseD", FieldKind::TextField);
    d.text = "25.0";
    store.add(d);
    Field list = field("ComboBoxAlTeta", FieldKind::EditableList);
    list.items = { "0.5", "0.7" };
    list.text = "0.6";
    store.add(list);
    store.add(field("RadioButtonA", FieldKind::RadioButton));
    Field b = field("RadioButtonB", FieldKind::RadioButton);
    b.checked = true;
    store.add(b);
    Field log = field("ElFlatMemoMes", FieldKind::Memo);
    log.items = { "первая", "вторая" };
    store.add(log);
    Field grid = field("StringGridMachines", FieldKind::Grid);
    grid.columns = 2;
    grid.rows = 2;
    store.add(grid);
    store.add(field("Image1", FieldKind::Picture));
    store.setFocused("BaseD");
    return store;
}

void expectSameFields(const FieldStore& copy, const FieldStore& original)
{
    ASSERT_EQ(copy.fields().size(), original.fields().size());
    for (const auto& [name, f] : original.fields()) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(copy.has(name));
        const Field& c = copy.field(name);
        EXPECT_EQ(c.kind, f.kind);
        EXPECT_EQ(c.parent, f.parent);
        EXPECT_EQ(c.text, f.text);
        EXPECT_EQ(c.items, f.items);
        EXPECT_EQ(c.index, f.index);
        EXPECT_EQ(c.checked, f.checked);
        EXPECT_EQ(c.enabled, f.enabled);
        EXPECT_EQ(c.visible, f.visible);
        EXPECT_EQ(c.colour, f.colour);
        EXPECT_EQ(c.columns, f.columns);
        EXPECT_EQ(c.rows, f.rows);
        EXPECT_EQ(c.cells, f.cells);
        EXPECT_EQ(c.cellColours, f.cellColours);
        EXPECT_EQ(c.currentColumn, f.currentColumn);
        EXPECT_EQ(c.currentRow, f.currentRow);
        EXPECT_EQ(c.picture, f.picture);
        EXPECT_EQ(c.selectedAll, f.selectedAll);
    }
    EXPECT_EQ(copy.focused(), original.focused());
}

struct ResetCase {
    const char* name;
    std::function<void(FieldStore&)> change;
};

// What a calculation and a fit do to their copy: each must be undone by the
// reset, the log's appended lines as much as a replaced grid.
const ResetCase kResetCases[] = {
    { "nothing changed", [](FieldStore&) {} },
    { "a text", [](FieldStore& s) { s.setText("BaseD", "12"); } },
    { "a text and a colour, twice",
        [](FieldStore& s) {
            s.setText("BaseD", "12");
            s.setColour("BaseD", colours::Red);
            s.setText("BaseD", "13");
        } },
    { "an item picked: the text follows", [](FieldStore& s) { s.setIndex("ComboBoxAlTeta", 1); } },
    { "a radio button unchecks its neighbour",
        [](FieldStore& s) { s.setChecked("RadioButtonA", true); } },
    { "log lines appended",
        [](FieldStore& s) {
            s.appendLine("ElFlatMemoMes", "третья");
            s.appendLine("ElFlatMemoMes", "четвертая");
        } },
    { "log lines appended, then the log emptied",
        [](FieldStore& s) {
            s.appendLine("ElFlatMemoMes", "третья");
            s.clearLines("ElFlatMemoMes");
        } },
    { "the log emptied, then a line appended",
        [](FieldStore& s) {
            s.clearLines("ElFlatMemoMes");
            s.appendLine("ElFlatMemoMes", "одна");
        } },
    { "the log's items replaced by as many",
        [](FieldStore& s) { s.setItems("ElFlatMemoMes", { "иная", "другая" }); } },
    { "a grid replaced and its current cell moved",
        [](FieldStore& s) {
            s.setGrid("StringGridMachines", 3, 2, { "a", "b", "c", "d", "e", "f" },
                { colours::Red, 0, 0, 0, 0, 0 });
            s.setCurrentCell("StringGridMachines", 2, 1);
        } },
    { "focus, selection, visibility, picture",
        [](FieldStore& s) {
            s.setFocused("ComboBoxAlTeta");
            s.setSelectedAll("BaseD", true);
            s.setVisible("BaseD", false);
            s.setEnabled("BaseD", false);
            s.setPicture("Image1", 3);
        } },
    { "a field added",
        [](FieldStore& s) {
            Field extra;
            extra.name = "EditExtra";
            s.add(extra);
            s.setText("BaseD", "1");
        } },
};

TEST(FieldStoreReset, BringsACopyBackToItsOriginalWhateverChanged)
{
    const FieldStore original = window();
    FieldStore copy = original.detachedCopy();
    // One copy through every case in turn, as a thread's copy goes through
    // its machines: each reset starts from the one before.
    for (const ResetCase& c : kResetCases) {
        SCOPED_TRACE(c.name);
        c.change(copy);
        copy.resetToCopyOf(original);
        expectSameFields(copy, original);
    }
    // And once more after all of them, with the changes together.
    for (const ResetCase& c : kResetCases)
        c.change(copy);
    copy.resetToCopyOf(original);
    expectSameFields(copy, original);
}

TEST(FieldStoreReset, LeavesTheCopyItsOwnFieldsAfterwards)
{
    const FieldStore original = window();
    FieldStore copy = original.detachedCopy();
    copy.appendLine("ElFlatMemoMes", "третья");
    copy.setText("BaseD", "12");
    copy.resetToCopyOf(original);
    // Changed again after the reset, the copy alone changes.
    copy.setText("BaseD", "7");
    copy.appendLine("ElFlatMemoMes", "пятая");
    EXPECT_EQ(copy.text("BaseD"), "7");
    EXPECT_EQ(copy.items("ElFlatMemoMes").size(), 3u);
    EXPECT_EQ(original.text("BaseD"), "25.0");
    EXPECT_EQ(original.items("ElFlatMemoMes").size(), 2u);
}

} // namespace
} // namespace millcalc
