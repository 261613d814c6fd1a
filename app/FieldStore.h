// The named fields of the main window, its panels and windows: the single source
// of truth that the calculations read and write and that a front end displays.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace millcalc {

enum class FieldKind {
    Window, // a top-level window; text is its title
    Panel, // a floating panel; text is its caption
    PageControl, // items are the page captions, index the active page
    Page, // one page of a page control; pageIndex is its place there
    TextField,
    EditableList, // a text and suggested items
    DropDownList, // items and a selected index; the text is the selected item
    RadioGroup, // items and a selected index
    CheckBox,
    RadioButton, // radio buttons with the same parent exclude each other
    Grid, // columns x rows of cells
    StaticText,
    Memo, // lines of text, held in items
    StatusLine,
    Button,
    Picture, // picture is the shown picture of its image list
    MenuItem, // checked is the menu item's check mark
};

using Rgb = std::uint32_t;

namespace colours {
constexpr Rgb Black = 0x000000;
constexpr Rgb Green = 0x008000;
constexpr Rgb Red = 0xff0000;
constexpr Rgb Blue = 0x0000ff;
constexpr Rgb Navy = 0x000080;
constexpr Rgb Purple = 0x800080;
constexpr Rgb Fuchsia = 0xff00ff;
constexpr Rgb Olive = 0x808000;
constexpr Rgb Maroon = 0x800000;
constexpr Rgb Lime = 0x00ff00;
constexpr Rgb Yellow = 0xffff00;
} // namespace colours

struct Field {
    std::string name;
    FieldKind kind = FieldKind::TextField;
    std::string parent; // the control, page, panel or window that holds it
    int pageIndex = -1; // for a page: its index in its page control
    std::string text;
    std::vector<std::string> items;
    int index = -1;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    bool readOnly = false; // for the user only: the calculations still write it
    Rgb colour = colours::Black;
    int columns = 0;
    int rows = 0;
    int fixedColumns = 0; // heading columns and rows of a grid: shown, never selected
    int fixedRows = 0;
    std::vector<std::string> cells; // row-major
    std::vector<Rgb> cellColours; // row-major; empty: every cell in the field's colour
    int currentColumn = 0;
    int currentRow = 1;
    int picture = 0;
    bool selectedAll = false; // the whole text is selected
};

enum class Change {
    Text,
    Items,
    Index,
    Checked,
    Colour,
    Enabled,
    Visible,
    Cells,
    Picture,
    LineAppended, // a line was appended to a memo (its last item)
    Cleared, // a memo was emptied
    Focus, // the focused control changed (name is the new one)
    Selection,
};

// How a write of a property goes: stored and told every time (a result
// written again with its own value is fresh again, so it is told); told only
// when the value changed; or through a setter of its own that keeps a rule
// of the property (an index within the items, one radio button of a group).
enum class Write { Always, IfChanged, ByRule };

template <class Member> struct FieldMember;
template <class T> struct FieldMember<T Field::*> {
    using Value = T;
};

// A property of a field: the member that holds it, the change a write of it
// tells, and how a write goes. Adding a property is a member of Field and a
// line in the table below; FieldStore::get and FieldStore::set serve it.
template <auto Member, Change Told, Write How = Write::Always> struct Property {
    using Value = typename FieldMember<decltype(Member)>::Value;
    static constexpr Value Field::* member = Member;
    static constexpr Change change = Told;
    static constexpr Write write = How;
};

namespace property {
using Items = Property<&Field::items, Change::Items, Write::ByRule>;
using Index = Property<&Field::index, Change::Index, Write::ByRule>;
using Checked = Property<&Field::checked, Change::Checked, Write::ByRule>;
using Colour = Property<&Field::colour, Change::Colour>;
using Enabled = Property<&Field::enabled, Change::Enabled>;
using Visible = Property<&Field::visible, Change::Visible, Write::IfChanged>;
using Picture = Property<&Field::picture, Change::Picture>;
using SelectedAll = Property<&Field::selectedAll, Change::Selection>;
} // namespace property

// Fields are named by views: most names are literals, and a name longer than
// a short string's own buffer ("RadioGroupTiTypeDetal") would cost a heap
// allocation at every look-up, dozens of times a calculation.
class FieldStore {
public:
    // A listener is told the field's own name.
    using Listener = std::function<void(const std::string& name, Change change)>;

    Field& add(Field field);
    bool has(std::string_view name) const;
    const Field& field(std::string_view name) const; // throws on an unknown name
    const std::map<std::string, Field>& fields() const { return fields_; }
    // The fields and the focus without the listeners: a store to compute on
    // that no window observes.
    FieldStore detachedCopy() const;
    // Makes this store, a detached copy of the original (or one reset to it),
    // equal to a fresh copy of it again, copying back only the fields
    // changed since; the original must not have changed in between.
    void resetToCopyOf(const FieldStore& original);

    // One notification path: every change below reaches every listener.
    void listen(Listener listener);

    // The text a control shows: a drop-down list shows its selected item, a memo
    // its lines joined by line breaks.
    std::string text(std::string_view name) const;
    // Writing the text of a drop-down list selects the item equal to it, or none.
    void setText(std::string_view name, const std::string& text);
    // Several fields' texts, written in the order given.
    void setTexts(std::initializer_list<std::pair<std::string_view, const char*>> texts);

    double real(std::string_view name) const;
    int whole(std::string_view name) const;

    // A property of a field, read and written alike for every property of
    // the table above; both throw on an unknown name. A write marks the field
    // changed since the store was copied, even a write that changes nothing.
    template <class P> const typename P::Value& get(std::string_view name) const
    {
        return field(name).*P::member;
    }
    template <class P> void set(std::string_view name, typename P::Value value)
    {
        static_assert(P::write != Write::ByRule, "the property has a setter of its own");
        Field& f = mutableField(name);
        if constexpr (P::write == Write::IfChanged) {
            if (f.*P::member == value)
                return;
        }
        f.*P::member = std::move(value);
        notify(f.name, P::change);
    }

    const std::vector<std::string>& items(std::string_view name) const
    {
        return get<property::Items>(name);
    }
    void setItems(std::string_view name, std::vector<std::string> items);
    void appendItem(std::string_view name, const std::string& item);
    int index(std::string_view name) const { return get<property::Index>(name); }
    // Selecting an item of an editable list also sets its text to that item.
    void setIndex(std::string_view name, int index);

    bool checked(std::string_view name) const { return get<property::Checked>(name); }
    // Checking a radio button unchecks the others of its parent.
    void setChecked(std::string_view name, bool checked);

    Rgb colour(std::string_view name) const { return get<property::Colour>(name); }
    void setColour(std::string_view name, Rgb colour) { set<property::Colour>(name, colour); }

    bool enabled(std::string_view name) const { return get<property::Enabled>(name); }
    void setEnabled(std::string_view name, bool enabled) { set<property::Enabled>(name, enabled); }

    bool visible(std::string_view name) const { return get<property::Visible>(name); }
    void setVisible(std::string_view name, bool visible) { set<property::Visible>(name, visible); }

    int picture(std::string_view name) const { return get<property::Picture>(name); }
    void setPicture(std::string_view name, int picture) { set<property::Picture>(name, picture); }

    std::string cell(std::string_view name, int column, int row) const;
    void setCell(std::string_view name, int column, int row, const std::string& text);
    void setCurrentCell(std::string_view name, int column, int row);
    // Replaces the whole grid at once: its size, its cells and their colours
    // (row-major, columns · rows of each), with one notification.
    void setGrid(std::string_view name, int columns, int rows, std::vector<std::string> cells,
        std::vector<Rgb> colours);
    Rgb cellColour(std::string_view name, int column, int row) const;

    void appendLine(std::string_view name, std::string_view line);
    void clearLines(std::string_view name);

    // Whether the control and every page, panel and window that holds it are
    // visible and enabled, so that it could take the input focus.
    bool canFocus(std::string_view name) const;
    const std::string& focused() const { return focused_; }
    void setFocused(std::string_view name);
    bool selectedAll(std::string_view name) const { return get<property::SelectedAll>(name); }
    void setSelectedAll(std::string_view name, bool all) { set<property::SelectedAll>(name, all); }

private:
    // A hash index over fields_: the calculations look a field up by name
    // dozens of times a run, and a walk down the ordered map compares long
    // common prefixes ("EditTkoef1", "EditTX1" ...). A copied store indexes
    // its own fields afresh, since the pointers belong to the original's map.
    // Each field also notes whether it changed since the store was copied or
    // reset, and how: a memo only lengthened (the log) is cut back to its
    // lines rather than copied whole.
    enum class Touch : std::uint8_t { None, Appended, Changed };
    struct Entry {
        Field* field;
        Touch touch = Touch::None;
        std::size_t lines = 0; // of an appended memo, before the first line appended
    };
    // In front of the hash, the entries last found by the address of the
    // name asked for: most names are literals, asked for again at the same
    // address run after run. A hit is still checked against the field's
    // name, as a name built in a buffer may come at an address another had.
    struct Recent {
        const char* data = nullptr;
        Entry* entry = nullptr;
    };
    static constexpr std::size_t kRecentSlots = 256;
    struct Index {
        Index() = default;
        Index(const Index&) { }
        Index& operator=(const Index&)
        {
            fields.clear();
            touched.clear();
            recent.fill(Recent());
            built = false;
            return *this;
        }
        std::unordered_map<std::string_view, Entry> fields;
        std::vector<Entry*> touched;
        std::array<Recent, kRecentSlots> recent {};
        bool built = false;
    };

    static std::size_t recentSlot(const char* data);
    Entry* entry(std::string_view name) const;
    Field* find(std::string_view name) const;
    // The text of a control that is not a memo, as text() gives it.
    static std::string_view shownText(const Field& f);
    // The field about to change; an append only lengthens a memo.
    Field& mutableField(std::string_view name, Touch how = Touch::Changed);
    void touch(Entry& entry, Touch how);
    // Nothing to tell where nobody listens: a detached copy, changed
    // thousands of times by a comparison.
    void notify(const std::string& name, Change change)
    {
        if (!listeners_.empty())
            notifyListeners(name, change);
    }
    void notifyListeners(const std::string& name, Change change);

    std::map<std::string, Field> fields_;
    mutable Index index_;
    std::deque<Listener> listeners_;
    std::string focused_;
    // A field added since the copy: resetToCopyOf() copies the whole store.
    bool added_ = false;
};

} // namespace millcalc
