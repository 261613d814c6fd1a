#include "app/Designer.h"

#include <utility>

namespace millcalc {

Field& Designer::add(
    FieldKind kind, const std::string& name, const std::string& parent, const std::string& text)
{
    Field f;
    f.name = name;
    f.kind = kind;
    f.parent = parent;
    f.text = text;
    return store_.add(std::move(f));
}

Field& Designer::text(
    const std::string& name, const std::string& parent, const std::string& design, bool readOnly)
{
    Field& f = add(FieldKind::TextField, name, parent, design);
    f.readOnly = readOnly;
    return f;
}

Field& Designer::editableList(const std::string& name, const std::string& parent,
    const std::string& design, std::vector<std::string> items)
{
    Field& f = add(FieldKind::EditableList, name, parent, design);
    f.items = std::move(items);
    return f;
}

Field& Designer::dropDown(
    const std::string& name, const std::string& parent, std::vector<std::string> items, int index)
{
    Field& f = add(FieldKind::DropDownList, name, parent);
    f.items = std::move(items);
    f.index = index;
    return f;
}

Field& Designer::radioGroup(const std::string& name, const std::string& parent,
    const std::string& caption, std::vector<std::string> items, int index)
{
    Field& f = add(FieldKind::RadioGroup, name, parent, caption);
    f.items = std::move(items);
    f.index = index;
    return f;
}

Field& Designer::page(
    const std::string& name, const std::string& pageControl, int index, const std::string& caption)
{
    Field& f = add(FieldKind::Page, name, pageControl, caption);
    f.pageIndex = index;
    return f;
}

Field& Designer::grid(const std::string& name, const std::string& parent, int columns, int rows,
    int fixedColumns, int fixedRows)
{
    Field f;
    f.name = name;
    f.kind = FieldKind::Grid;
    f.parent = parent;
    f.columns = columns;
    f.rows = rows;
    f.fixedColumns = fixedColumns;
    f.fixedRows = fixedRows;
    return store_.add(std::move(f));
}

void Designer::buttons(const std::string& parent, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        add(FieldKind::Button, name, parent);
}

void Designer::pictures(const std::string& parent, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        add(FieldKind::Picture, name, parent);
}

Field& Designer::window(
    FieldKind kind, const std::string& name, const std::string& title, bool visible)
{
    Field& f = add(kind, name, std::string(), title);
    f.visible = visible;
    return f;
}

} // namespace millcalc
