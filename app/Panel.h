// A side panel of the main window as one row: its name and title, the buttons
// and menu lines that show it, whether the window's arrangement keeps it open
// from one run to the next, and what its show commands do besides showing it.
// A method's row lists the panels of its own; the window's own panels are rows
// of the main form's table (shell/WindowPanels.h), which assembles them all.
#pragma once

#include <span>

namespace millcalc {

class Form;

// A menu line that shows a panel: its control name and its caption, with "&"
// before the letter that chooses it from the keyboard; a null name: none.
struct PanelMenuItem {
    const char* name = nullptr;
    const char* caption = nullptr;
};

struct Panel {
    const char* name;
    // Its title as the window designer leaves it.
    const char* caption;
    // The buttons that show it, on its method's pages or beside the results.
    std::span<const char* const> buttons = {};
    // Its line in the menu "Помощь.." and in the window's context menu.
    PanelMenuItem helpItem = {};
    PanelMenuItem contextItem = {};
    // Whether it stays open from one run to the next, with the window's
    // arrangement; the results, which come with a calculation, do not.
    bool kept = false;
    // What its buttons and menu lines do after showing it: already tells
    // whether it was in view before. Null: nothing more.
    void (*shown)(Form& form, bool already) = nullptr;
};

} // namespace millcalc
