#include "app/FieldStore.h"

#include "app/NumberText.h"

#include <cstdint>
#include <stdexcept>
#include <utility>

namespace millcalc {

std::size_t FieldStore::recentSlot(const char* data)
{
    // The top bits of a multiplicative hash, which every bit of the address
    // reaches.
    constexpr std::uint64_t kFibonacci = 0x9E3779B97F4A7C15u;
    constexpr int kBits = 8;
    static_assert(std::size_t { 1 } << kBits == kRecentSlots);
    const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(data));
    return static_cast<std::size_t>((address * kFibonacci) >> (64 - kBits));
}

Field& FieldStore::add(Field field)
{
    if (field.kind == FieldKind::Grid)
        field.cells.assign(static_cast<std::size_t>(field.columns * field.rows), std::string());
    const std::string name = field.name;
    auto [it, inserted] = fields_.insert_or_assign(name, std::move(field));
    (void)inserted;
    if (index_.built && index_.fields.count(it->first) == 0)
        index_.fields.emplace(it->first, Entry { &it->second });
    added_ = true;
    return it->second;
}

FieldStore::Entry* FieldStore::entry(std::string_view name) const
{
    Recent& recent = index_.recent[recentSlot(name.data())];
    if (recent.data == name.data() && recent.entry != nullptr && recent.entry->field->name == name)
        return recent.entry;
    if (!index_.built) {
        index_.fields.clear();
        index_.touched.clear();
        index_.fields.reserve(fields_.size());
        // The map's nodes never move, so the pointers and the keys' views hold
        // as long as this store does; nor do the entries as the index grows.
        for (auto& [key, f] : const_cast<std::map<std::string, Field>&>(fields_))
            index_.fields.emplace(key, Entry { &f });
        index_.built = true;
    }
    const auto it = index_.fields.find(name);
    if (it == index_.fields.end())
        return nullptr;
    recent = { name.data(), &it->second };
    return &it->second;
}

Field* FieldStore::find(std::string_view name) const
{
    Entry* found = entry(name);
    return found != nullptr ? found->field : nullptr;
}

bool FieldStore::has(std::string_view name) const
{
    return find(name) != nullptr;
}

const Field& FieldStore::field(std::string_view name) const
{
    const Field* f = find(name);
    if (f == nullptr)
        throw std::out_of_range("unknown control " + std::string(name));
    return *f;
}

Field& FieldStore::mutableField(std::string_view name, Touch how)
{
    Entry* found = entry(name);
    if (found == nullptr)
        throw std::out_of_range("unknown control " + std::string(name));
    touch(*found, how);
    return *found->field;
}

void FieldStore::touch(Entry& entry, Touch how)
{
    if (entry.touch == Touch::None) {
        index_.touched.push_back(&entry);
        entry.lines = entry.field->items.size();
        entry.touch = how;
    } else if (how == Touch::Changed) {
        entry.touch = Touch::Changed;
    }
}

void FieldStore::resetToCopyOf(const FieldStore& original)
{
    focused_ = original.focused_;
    if (added_) {
        fields_ = original.fields_;
        index_ = Index();
        added_ = false;
        return;
    }
    for (Entry* changed : index_.touched) {
        Field& f = *changed->field;
        if (changed->touch == Touch::Appended)
            f.items.resize(changed->lines);
        else
            f = original.fields_.at(f.name);
        changed->touch = Touch::None;
    }
    index_.touched.clear();
}

void FieldStore::listen(Listener listener)
{
    listeners_.push_back(std::move(listener));
}

void FieldStore::notifyListeners(const std::string& name, Change change)
{
    // A listener may add another (a window built when first shown listens
    // from then on): the list keeps its elements in place as it grows, and
    // the newcomer hears from the next change on.
    const std::size_t count = listeners_.size();
    for (std::size_t i = 0; i < count; ++i)
        listeners_[i](name, change);
}

std::string FieldStore::text(std::string_view name) const
{
    const Field& f = field(name);
    switch (f.kind) {
    case FieldKind::DropDownList:
    case FieldKind::PageControl:
    case FieldKind::RadioGroup:
        if (f.index >= 0 && f.index < static_cast<int>(f.items.size()))
            return f.items[static_cast<std::size_t>(f.index)];
        return std::string();
    case FieldKind::Memo: {
        std::string joined;
        for (std::size_t i = 0; i < f.items.size(); ++i) {
            if (i > 0)
                joined += '\n';
            joined += f.items[i];
        }
        return joined;
    }
    default:
        return f.text;
    }
}

void FieldStore::setTexts(std::initializer_list<std::pair<std::string_view, const char*>> texts)
{
    for (const auto& [name, text] : texts)
        setText(name, text);
}

void FieldStore::setText(std::string_view name, const std::string& text)
{
    Field& f = mutableField(name);
    if (f.kind == FieldKind::DropDownList) {
        int found = -1;
        for (std::size_t i = 0; i < f.items.size(); ++i) {
            if (f.items[i] == text) {
                found = static_cast<int>(i);
                break;
            }
        }
        f.index = found;
        f.selectedAll = false;
        notify(f.name, Change::Index);
        return;
    }
    f.text = text;
    f.selectedAll = false;
    notify(f.name, Change::Text);
}

std::string_view FieldStore::shownText(const Field& f)
{
    switch (f.kind) {
    case FieldKind::DropDownList:
    case FieldKind::PageControl:
    case FieldKind::RadioGroup:
        if (f.index >= 0 && f.index < static_cast<int>(f.items.size()))
            return f.items[static_cast<std::size_t>(f.index)];
        return std::string_view();
    default:
        return f.text;
    }
}

// The numbers are read straight from the shown text, without a copy of it;
// only a memo joins its lines first.
double FieldStore::real(std::string_view name) const
{
    const Field& f = field(name);
    return f.kind == FieldKind::Memo ? readReal(text(name)) : readReal(shownText(f));
}

int FieldStore::whole(std::string_view name) const
{
    const Field& f = field(name);
    return f.kind == FieldKind::Memo ? readWhole(text(name)) : readWhole(shownText(f));
}

void FieldStore::setItems(std::string_view name, std::vector<std::string> items)
{
    Field& f = mutableField(name);
    f.items = std::move(items);
    if (f.index >= static_cast<int>(f.items.size()))
        f.index = -1;
    notify(f.name, Change::Items);
}

void FieldStore::appendItem(std::string_view name, const std::string& item)
{
    Field& f = mutableField(name);
    f.items.push_back(item);
    notify(f.name, Change::Items);
}

void FieldStore::setIndex(std::string_view name, int index)
{
    Field& f = mutableField(name);
    if (index < -1 || index >= static_cast<int>(f.items.size()))
        index = -1;
    f.index = index;
    if (f.kind == FieldKind::EditableList && index >= 0) {
        f.text = f.items[static_cast<std::size_t>(index)];
        f.selectedAll = false;
        notify(f.name, Change::Text);
    }
    notify(f.name, Change::Index);
}

void FieldStore::setChecked(std::string_view name, bool checked)
{
    Field& f = mutableField(name);
    f.checked = checked;
    if (f.kind == FieldKind::RadioButton && checked) {
        const std::string parent = f.parent;
        for (auto& [otherName, other] : fields_) {
            if (otherName != name && other.kind == FieldKind::RadioButton && other.parent == parent
                && other.checked) {
                touch(*entry(otherName), Touch::Changed);
                other.checked = false;
                notify(otherName, Change::Checked);
            }
        }
    }
    notify(f.name, Change::Checked);
}

std::string FieldStore::cell(std::string_view name, int column, int row) const
{
    const Field& f = field(name);
    if (column < 0 || row < 0 || column >= f.columns || row >= f.rows)
        throw std::out_of_range("cell out of range in " + std::string(name));
    return f.cells[static_cast<std::size_t>(row * f.columns + column)];
}

void FieldStore::setCell(std::string_view name, int column, int row, const std::string& text)
{
    Field& f = mutableField(name);
    if (column < 0 || row < 0 || column >= f.columns || row >= f.rows)
        throw std::out_of_range("cell out of range in " + std::string(name));
    f.cells[static_cast<std::size_t>(row * f.columns + column)] = text;
    notify(f.name, Change::Cells);
}

void FieldStore::setGrid(std::string_view name, int columns, int rows,
    std::vector<std::string> cells, std::vector<Rgb> colours)
{
    Field& f = mutableField(name);
    const auto count = static_cast<std::size_t>(columns > 0 && rows > 0 ? columns * rows : 0);
    if (cells.size() != count || colours.size() != count)
        throw std::invalid_argument("grid of the wrong size in " + std::string(name));
    f.columns = columns;
    f.rows = rows;
    f.cells = std::move(cells);
    f.cellColours = std::move(colours);
    if (f.currentColumn >= columns)
        f.currentColumn = columns > f.fixedColumns ? f.fixedColumns : 0;
    if (f.currentRow >= rows)
        f.currentRow = rows > f.fixedRows ? f.fixedRows : 0;
    notify(f.name, Change::Cells);
}

Rgb FieldStore::cellColour(std::string_view name, int column, int row) const
{
    const Field& f = field(name);
    if (column < 0 || row < 0 || column >= f.columns || row >= f.rows)
        throw std::out_of_range("cell out of range in " + std::string(name));
    const auto at = static_cast<std::size_t>(row * f.columns + column);
    return at < f.cellColours.size() ? f.cellColours[at] : f.colour;
}

FieldStore FieldStore::detachedCopy() const
{
    FieldStore copy;
    copy.fields_ = fields_;
    copy.focused_ = focused_;
    copy.added_ = false;
    return copy;
}

void FieldStore::setCurrentCell(std::string_view name, int column, int row)
{
    Field& f = mutableField(name);
    if (column < 0 || row < 0 || column >= f.columns || row >= f.rows)
        throw std::out_of_range("cell out of range in " + std::string(name));
    f.currentColumn = column;
    f.currentRow = row;
    notify(f.name, Change::Cells);
}

void FieldStore::appendLine(std::string_view name, std::string_view line)
{
    Field& f = mutableField(name, Touch::Appended);
    f.items.emplace_back(line);
    notify(f.name, Change::LineAppended);
}

void FieldStore::clearLines(std::string_view name)
{
    Field& f = mutableField(name);
    f.items.clear();
    notify(f.name, Change::Cleared);
}

bool FieldStore::canFocus(std::string_view name) const
{
    const Field* f = &field(name);
    for (;;) {
        if (!f->visible || !f->enabled)
            return false;
        if (f->parent.empty())
            return true;
        const Field& parent = field(f->parent);
        if (f->kind == FieldKind::Page && parent.index != f->pageIndex)
            return false;
        f = &parent;
    }
}

void FieldStore::setFocused(std::string_view name)
{
    if (!name.empty())
        (void)field(name);
    focused_ = name;
    const std::string focused = focused_;
    notify(focused, Change::Focus);
}

} // namespace millcalc
