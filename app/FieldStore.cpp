#include "app/FieldStore.h"

#include "app/NumberText.h"

#include <stdexcept>
#include <utility>

namespace millcalc {

Field& FieldStore::add(Field field)
{
    if (field.kind == FieldKind::Grid)
        field.cells.assign(static_cast<std::size_t>(field.columns * field.rows), std::string());
    const std::string name = field.name;
    auto [it, inserted] = fields_.insert_or_assign(name, std::move(field));
    (void)inserted;
    if (index_.built)
        index_.fields[it->first] = &it->second;
    return it->second;
}

Field* FieldStore::find(std::string_view name) const
{
    if (!index_.built) {
        index_.fields.clear();
        index_.fields.reserve(fields_.size());
        // The map's nodes never move, so the pointers and the keys' views hold
        // as long as this store does.
        for (auto& [key, f] : const_cast<std::map<std::string, Field>&>(fields_))
            index_.fields.emplace(key, &f);
        index_.built = true;
    }
    const auto it = index_.fields.find(name);
    return it == index_.fields.end() ? nullptr : it->second;
}

bool FieldStore::has(const std::string& name) const
{
    return find(name) != nullptr;
}

const Field& FieldStore::field(const std::string& name) const
{
    const Field* f = find(name);
    if (f == nullptr)
        throw std::out_of_range("unknown control " + name);
    return *f;
}

Field& FieldStore::mutableField(const std::string& name)
{
    Field* f = find(name);
    if (f == nullptr)
        throw std::out_of_range("unknown control " + name);
    return *f;
}

void FieldStore::listen(Listener listener)
{
    listeners_.push_back(std::move(listener));
}

void FieldStore::notify(const std::string& name, Change change)
{
    for (const auto& listener : listeners_)
        listener(name, change);
}

std::string FieldStore::text(const std::string& name) const
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

void FieldStore::setText(const std::string& name, const std::string& text)
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
        notify(name, Change::Index);
        return;
    }
    f.text = text;
    f.selectedAll = false;
    notify(name, Change::Text);
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
double FieldStore::real(const std::string& name) const
{
    const Field& f = field(name);
    return f.kind == FieldKind::Memo ? readReal(text(name)) : readReal(shownText(f));
}

int FieldStore::whole(const std::string& name) const
{
    const Field& f = field(name);
    return f.kind == FieldKind::Memo ? readWhole(text(name)) : readWhole(shownText(f));
}

const std::vector<std::string>& FieldStore::items(const std::string& name) const
{
    return field(name).items;
}

void FieldStore::setItems(const std::string& name, std::vector<std::string> items)
{
    Field& f = mutableField(name);
    f.items = std::move(items);
    if (f.index >= static_cast<int>(f.items.size()))
        f.index = -1;
    notify(name, Change::Items);
}

void FieldStore::appendItem(const std::string& name, const std::string& item)
{
    mutableField(name).items.push_back(item);
    notify(name, Change::Items);
}

int FieldStore::index(const std::string& name) const
{
    return field(name).index;
}

void FieldStore::setIndex(const std::string& name, int index)
{
    Field& f = mutableField(name);
    if (index < -1 || index >= static_cast<int>(f.items.size()))
        index = -1;
    f.index = index;
    if (f.kind == FieldKind::EditableList && index >= 0) {
        f.text = f.items[static_cast<std::size_t>(index)];
        f.selectedAll = false;
        notify(name, Change::Text);
    }
    notify(name, Change::Index);
}

bool FieldStore::checked(const std::string& name) const
{
    return field(name).checked;
}

void FieldStore::setChecked(const std::string& name, bool checked)
{
    Field& f = mutableField(name);
    f.checked = checked;
    if (f.kind == FieldKind::RadioButton && checked) {
        const std::string parent = f.parent;
        for (auto& [otherName, other] : fields_) {
            if (otherName != name && other.kind == FieldKind::RadioButton
                && other.parent == parent && other.checked) {
                other.checked = false;
                notify(otherName, Change::Checked);
            }
        }
    }
    notify(name, Change::Checked);
}

Rgb FieldStore::colour(const std::string& name) const
{
    return field(name).colour;
}

void FieldStore::setColour(const std::string& name, Rgb colour)
{
    mutableField(name).colour = colour;
    notify(name, Change::Colour);
}

bool FieldStore::enabled(const std::string& name) const
{
    return field(name).enabled;
}

void FieldStore::setEnabled(const std::string& name, bool enabled)
{
    mutableField(name).enabled = enabled;
    notify(name, Change::Enabled);
}

bool FieldStore::visible(const std::string& name) const
{
    return field(name).visible;
}

void FieldStore::setVisible(const std::string& name, bool visible)
{
    Field& f = mutableField(name);
    if (f.visible == visible)
        return;
    f.visible = visible;
    notify(name, Change::Visible);
}

int FieldStore::picture(const std::string& name) const
{
    return field(name).picture;
}

void FieldStore::setPicture(const std::string& name, int picture)
{
    mutableField(name).picture = picture;
    notify(name, Change::Picture);
}

std::string FieldStore::cell(const std::string& name, int column, int row) const
{
    const Field& f = field(name);
    if (column < 0 || row < 0 || column >= f.columns || row >= f.rows)
        throw std::out_of_range("cell out of range in " + name);
    return f.cells[static_cast<std::size_t>(row * f.columns + column)];
}

void FieldStore::setCell(const std::string& name, int column, int row, const std::string& text)
{
    Field& f = mutableField(name);
    if (column < 0 || row < 0 || column >= f.columns || row >= f.rows)
        throw std::out_of_range("cell out of range in " + name);
    f.cells[static_cast<std::size_t>(row * f.columns + column)] = text;
    notify(name, Change::Cells);
}

void FieldStore::setCurrentCell(const std::string& name, int column, int row)
{
    Field& f = mutableField(name);
    if (column < 0 || row < 0 || column >= f.columns || row >= f.rows)
        throw std::out_of_range("cell out of range in " + name);
    f.currentColumn = column;
    f.currentRow = row;
    notify(name, Change::Cells);
}

void FieldStore::appendLine(const std::string& name, const std::string& line)
{
    mutableField(name).items.push_back(line);
    notify(name, Change::LineAppended);
}

void FieldStore::clearLines(const std::string& name)
{
    mutableField(name).items.clear();
    notify(name, Change::Cleared);
}

bool FieldStore::canFocus(const std::string& name) const
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

void FieldStore::setFocused(const std::string& name)
{
    if (!name.empty())
        (void)field(name);
    focused_ = name;
    notify(name, Change::Focus);
}

bool FieldStore::selectedAll(const std::string& name) const
{
    return field(name).selectedAll;
}

void FieldStore::setSelectedAll(const std::string& name, bool all)
{
    mutableField(name).selectedAll = all;
    notify(name, Change::Selection);
}

} // namespace millcalc
