#include "app/FieldStore.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace millcalc {
namespace {

Field textField(const std::string& name, const std::string& text)
{
    Field f;
    f.name = name;
    f.kind = FieldKind::TextField;
    f.text = text;
    return f;
}

TEST(FieldStoreIndex, FindsAFieldAddedAfterTheFirstLookUp)
{
    FieldStore store;
    store.add(textField("BaseD", "25.0"));
    EXPECT_EQ(store.real("BaseD"), 25.0);
    store.add(textField("BaseZ", "3"));
    EXPECT_EQ(store.whole("BaseZ"), 3);
    EXPECT_TRUE(store.has("BaseZ"));
    EXPECT_FALSE(store.has("BaseQ"));
    EXPECT_THROW((void)store.text("BaseQ"), std::out_of_range);
}

TEST(FieldStoreIndex, KeepsAReplacedFieldUnderItsName)
{
    FieldStore store;
    store.add(textField("BaseD", "25.0"));
    EXPECT_EQ(store.text("BaseD"), "25.0");
    store.add(textField("BaseD", "12"));
    EXPECT_EQ(store.text("BaseD"), "12");
    EXPECT_EQ(store.fields().size(), 1u);
}

// The index points into the store's own map: a copy must look up its own
// fields, never the original's.
TEST(FieldStoreIndex, GivesACopyItsOwnFields)
{
    FieldStore original;
    original.add(textField("BaseD", "25.0"));
    EXPECT_EQ(original.text("BaseD"), "25.0");

    FieldStore copy(original);
    copy.setText("BaseD", "12");
    EXPECT_EQ(copy.text("BaseD"), "12");
    EXPECT_EQ(original.text("BaseD"), "25.0");
    original.setText("BaseD", "7");
    EXPECT_EQ(copy.text("BaseD"), "12");
}

TEST(FieldStoreIndex, GivesAnAssignedStoreItsOwnFields)
{
    FieldStore first;
    first.add(textField("BaseD", "25.0"));
    FieldStore second;
    second.add(textField("BaseT", "5.0"));
    EXPECT_EQ(second.text("BaseT"), "5.0");

    // A copy that was never looked up, assigned back over a store in use.
    FieldStore unread(first);
    second = unread;
    EXPECT_FALSE(second.has("BaseT"));
    second.setText("BaseD", "30");
    EXPECT_EQ(second.text("BaseD"), "30");
    EXPECT_EQ(first.text("BaseD"), "25.0");
    EXPECT_EQ(unread.text("BaseD"), "25.0");
}

TEST(FieldStoreIndex, GivesAMovedStoreTheFields)
{
    FieldStore original;
    original.add(textField("BaseD", "25.0"));
    EXPECT_EQ(original.text("BaseD"), "25.0");
    FieldStore moved(std::move(original));
    moved.setText("BaseD", "40");
    EXPECT_EQ(moved.real("BaseD"), 40.0);
}

// The store remembers where a name it was asked for lay: a name written into
// the same buffer afterwards is another name all the same.
TEST(FieldStoreIndex, FindsANameByItsCharactersWhereverItLies)
{
    FieldStore store;
    store.add(textField("BaseD", "25.0"));
    store.add(textField("BaseT", "5.0"));
    store.add(textField("BaseTi", "7"));
    std::string name = "BaseD";
    const char* buffer = name.data();
    EXPECT_EQ(store.text(name), "25.0");
    name = "BaseT";
    ASSERT_EQ(name.data(), buffer); // the same place, other characters
    EXPECT_EQ(store.text(name), "5.0");
    name = "BaseTi";
    ASSERT_EQ(name.data(), buffer);
    EXPECT_EQ(store.text(name), "7");
    name = "BaseQ";
    EXPECT_FALSE(store.has(name));
    EXPECT_THROW(store.setText(name, "1"), std::out_of_range);
    name = "BaseD";
    store.setText(name, "30");
    EXPECT_EQ(store.text("BaseD"), "30");
    EXPECT_EQ(store.text("BaseT"), "5.0");
}

TEST(FieldStoreNumbers, ReadTheShownTextOfEveryKind)
{
    FieldStore store;
    Field list;
    list.name = "ComboBoxTkpd";
    list.kind = FieldKind::DropDownList;
    list.items = { "0.70", "0.75" };
    list.index = 1;
    store.add(list);
    Field none = list;
    none.name = "ComboBoxRa";
    none.index = -1;
    store.add(none);
    Field memo;
    memo.name = "Memo1";
    memo.kind = FieldKind::Memo;
    memo.items = { "", "12.5" };
    store.add(memo);

    EXPECT_EQ(store.real("ComboBoxTkpd"), 0.75);
    EXPECT_EQ(store.real("ComboBoxRa"), 0.0);
    // A memo reads as its lines joined: the blank first line is skipped.
    EXPECT_EQ(store.real("Memo1"), 12.5);
    EXPECT_EQ(store.whole("Memo1"), 12);
}

} // namespace
} // namespace millcalc
