#include "app/FieldStore.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace millcalc {
namespace {

// A property no accessor names: one line declares it, and the store's
// get and set serve it as they serve the others.
using ReadOnly = Property<&Field::readOnly, Change::Enabled>;

// A row of the table: the property, the kind of field it is written on, its
// accessors as the program calls them, the change a write tells, whether a
// write of the value the field holds is told again, and two different
// values, the first differing from the field's default.
template <class P, FieldKind Kind, auto Read, auto Write> struct Row {
    using Prop = P;
    static constexpr bool toldAgain = true;
    using Value = typename P::Value;
    using Values = std::pair<Value, Value>;
    static Field field(const std::string& name)
    {
        Field f;
        f.name = name;
        f.kind = Kind;
        f.parent = "FormMain";
        f.items = { "один", "два", "три" };
        return f;
    }
    static Value read(const FieldStore& s, std::string_view n) { return (s.*Read)(n); }
    static void write(FieldStore& s, std::string_view n, Value v) { (s.*Write)(n, std::move(v)); }
};

struct ColourRow
    : Row<property::Colour, FieldKind::StaticText, &FieldStore::colour, &FieldStore::setColour> {
    static constexpr const char* name = "Colour";
    static constexpr Change told = Change::Colour;
    static Values values() { return { colours::Red, colours::Green }; }
};
struct EnabledRow
    : Row<property::Enabled, FieldKind::Button, &FieldStore::enabled, &FieldStore::setEnabled> {
    static constexpr const char* name = "Enabled";
    static constexpr Change told = Change::Enabled;
    static Values values() { return { false, true }; }
};
struct VisibleRow
    : Row<property::Visible, FieldKind::Panel, &FieldStore::visible, &FieldStore::setVisible> {
    static constexpr const char* name = "Visible";
    static constexpr Change told = Change::Visible;
    static constexpr bool toldAgain = false; // a panel shown again is not shown anew
    static Values values() { return { false, true }; }
};
struct PictureRow
    : Row<property::Picture, FieldKind::Picture, &FieldStore::picture, &FieldStore::setPicture> {
    static constexpr const char* name = "Picture";
    static constexpr Change told = Change::Picture;
    static Values values() { return { 2, 1 }; }
};
struct SelectedAllRow : Row<property::SelectedAll, FieldKind::TextField, &FieldStore::selectedAll,
                            &FieldStore::setSelectedAll> {
    static constexpr const char* name = "SelectedAll";
    static constexpr Change told = Change::Selection;
    static Values values() { return { true, false }; }
};
struct ItemsRow
    : Row<property::Items, FieldKind::RadioGroup, &FieldStore::items, &FieldStore::setItems> {
    static constexpr const char* name = "Items";
    static constexpr Change told = Change::Items;
    static Values values() { return { { "P", "M", "K", "N" }, { "S" } }; }
};
struct IndexRow
    : Row<property::Index, FieldKind::DropDownList, &FieldStore::index, &FieldStore::setIndex> {
    static constexpr const char* name = "Index";
    static constexpr Change told = Change::Index;
    static Values values() { return { 2, 0 }; }
};
struct CheckedRow
    : Row<property::Checked, FieldKind::CheckBox, &FieldStore::checked, &FieldStore::setChecked> {
    static constexpr const char* name = "Checked";
    static constexpr Change told = Change::Checked;
    static Values values() { return { true, false }; }
};
struct ReadOnlyRow
    : Row<ReadOnly, FieldKind::TextField, &FieldStore::get<ReadOnly>, &FieldStore::set<ReadOnly>> {
    static constexpr const char* name = "DeclaredInOneLine";
    static constexpr Change told = Change::Enabled;
    static Values values() { return { true, false }; }
};

struct RowName {
    template <class R> static std::string GetName(int) { return R::name; }
};

using Told = std::vector<std::pair<std::string, Change>>;

template <class R> class FieldProperty : public ::testing::Test {
protected:
    FieldProperty()
    {
        Field window;
        window.name = "FormMain";
        window.kind = FieldKind::Window;
        store.add(window);
        store.add(R::field("Target"));
        store.add(R::field("Neighbour"));
        store.listen(
            [this](const std::string& name, Change change) { told.emplace_back(name, change); });
    }

    FieldStore store;
    Told told;
};

using Rows = ::testing::Types<ColourRow, EnabledRow, VisibleRow, PictureRow, SelectedAllRow,
    ItemsRow, IndexRow, CheckedRow, ReadOnlyRow>;
TYPED_TEST_SUITE(FieldProperty, Rows, RowName);

TYPED_TEST(FieldProperty, ReadsBackWhatWasWrittenOnThatFieldAlone)
{
    using R = TypeParam;
    using P = typename R::Prop;
    const auto neighbour = R::read(this->store, "Neighbour");
    ASSERT_NE(R::read(this->store, "Target"), R::values().first);
    for (const auto& value : { R::values().first, R::values().second }) {
        R::write(this->store, "Target", value);
        EXPECT_EQ(R::read(this->store, "Target"), value);
        EXPECT_EQ(this->store.template get<P>("Target"), value);
        EXPECT_EQ(this->store.field("Target").*P::member, value);
    }
    EXPECT_EQ(R::read(this->store, "Neighbour"), neighbour);
}

TYPED_TEST(FieldProperty, TellsAChangeOnceWithItsKind)
{
    using R = TypeParam;
    R::write(this->store, "Target", R::values().first);
    EXPECT_EQ(this->told, (Told { { "Target", R::told } }));
    R::write(this->store, "Target", R::values().second);
    EXPECT_EQ(this->told.size(), 2u);
}

// A result written again with its own value is fresh again, and its page
// hears so; only where the row says so does a write that changes nothing
// stay silent.
TYPED_TEST(FieldProperty, TellsAWriteOfTheSameValueAsItsRowSays)
{
    using R = TypeParam;
    R::write(this->store, "Target", R::values().first);
    this->told.clear();
    R::write(this->store, "Target", R::values().first);
    EXPECT_EQ(R::read(this->store, "Target"), R::values().first);
    if (R::toldAgain)
        EXPECT_EQ(this->told, (Told { { "Target", R::told } }));
    else
        EXPECT_TRUE(this->told.empty());
}

TYPED_TEST(FieldProperty, RefusesAnUnknownFieldAndTellsNobody)
{
    using R = TypeParam;
    using P = typename R::Prop;
    EXPECT_THROW((void)R::read(this->store, "Nowhere"), std::out_of_range);
    EXPECT_THROW((void)this->store.template get<P>("Nowhere"), std::out_of_range);
    EXPECT_THROW(R::write(this->store, "Nowhere", R::values().first), std::out_of_range);
    EXPECT_TRUE(this->told.empty());
    EXPECT_FALSE(this->store.has("Nowhere"));
}

// A copy the comparison computes on is reset by the fields written since:
// every property's write must count as one.
TYPED_TEST(FieldProperty, IsUndoneByAResetOfACopy)
{
    using R = TypeParam;
    FieldStore copy = this->store.detachedCopy();
    const auto before = R::read(copy, "Target");
    R::write(copy, "Target", R::values().first);
    copy.resetToCopyOf(this->store);
    EXPECT_EQ(R::read(copy, "Target"), before);
}

// The setters with a rule of their own tell what the rule changed too, in
// the order the views rely on: an editable list's text before its index, the
// radio button unchecked before the one checked.
struct RuleCase {
    const char* what;
    FieldKind kind;
    void (*write)(FieldStore&);
    Told told;
};

class FieldRule : public ::testing::TestWithParam<RuleCase> { };

TEST_P(FieldRule, TellsEveryChangeInOrder)
{
    const RuleCase& c = GetParam();
    FieldStore store;
    for (const char* name : { "First", "Second" }) {
        Field f;
        f.name = name;
        f.kind = c.kind;
        f.parent = "Group";
        f.items = { "0.5", "0.7" };
        f.checked = std::string_view(name) == "First";
        store.add(f);
    }
    Told told;
    store.listen(
        [&told](const std::string& name, Change change) { told.emplace_back(name, change); });
    c.write(store);
    EXPECT_EQ(told, c.told);
}

INSTANTIATE_TEST_SUITE_P(Setters, FieldRule,
    ::testing::Values(RuleCase { "EditableListIndex", FieldKind::EditableList,
                          [](FieldStore& s) { s.setIndex("Second", 1); },
                          { { "Second", Change::Text }, { "Second", Change::Index } } },
        RuleCase { "EditableListNoItem", FieldKind::EditableList,
            [](FieldStore& s) { s.setIndex("Second", 5); }, { { "Second", Change::Index } } },
        RuleCase { "DropDownListText", FieldKind::DropDownList,
            [](FieldStore& s) { s.setText("Second", "0.7"); }, { { "Second", Change::Index } } },
        RuleCase { "RadioButtonChecked", FieldKind::RadioButton,
            [](FieldStore& s) { s.setChecked("Second", true); },
            { { "First", Change::Checked }, { "Second", Change::Checked } } },
        RuleCase { "CheckBoxChecked", FieldKind::CheckBox,
            [](FieldStore& s) { s.setChecked("Second", true); },
            { { "Second", Change::Checked } } },
        RuleCase { "ItemsShortened", FieldKind::RadioGroup,
            [](FieldStore& s) {
                s.setIndex("Second", 1);
                s.setItems("Second", { "0.5" });
            },
            { { "Second", Change::Index }, { "Second", Change::Items } } }),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.what); });

} // namespace
} // namespace millcalc
