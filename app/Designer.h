// What the window designer leaves in the field store before the creation step
// runs: the helper with which the window and each method declare their
// controls, pages, panels and windows.
#pragma once

#include "app/FieldStore.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace millcalc {

class Designer {
public:
    explicit Designer(FieldStore& store)
        : store_(store)
    {
    }

    Field& add(FieldKind kind, const std::string& name, const std::string& parent,
        const std::string& text = std::string());
    Field& text(const std::string& name, const std::string& parent, const std::string& design,
        bool readOnly = false);
    Field& editableList(const std::string& name, const std::string& parent,
        const std::string& design, std::vector<std::string> items);
    Field& dropDown(const std::string& name, const std::string& parent,
        std::vector<std::string> items, int index = -1);
    Field& radioGroup(const std::string& name, const std::string& parent,
        const std::string& caption, std::vector<std::string> items, int index);
    Field& page(const std::string& name, const std::string& pageControl, int index,
        const std::string& caption);
    Field& grid(const std::string& name, const std::string& parent, int columns, int rows,
        int fixedColumns, int fixedRows);
    void buttons(const std::string& parent, std::initializer_list<const char*> names);
    void pictures(const std::string& parent, std::initializer_list<const char*> names);
    Field& window(FieldKind kind, const std::string& name, const std::string& title, bool visible);

private:
    FieldStore& store_;
};

} // namespace millcalc
