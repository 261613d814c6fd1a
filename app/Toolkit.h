// What the window logic asks of a widget toolkit beyond the field store: modal
// boxes, the beep, ending the program and modal windows. The desktop program
// implements it with Qt, the scenario runner and the tests by recording.
#pragma once

#include <string>

namespace millcalc {

class Toolkit {
public:
    virtual ~Toolkit() = default;

    // The modal box with one OK button and no icon.
    virtual void warningBox(const std::string& text, const std::string& caption) = 0;
    // The plain information box (text and an OK button).
    virtual void informationBox(const std::string& text) = 0;
    // The standard error box for an error that escaped a command, under this
    // caption; a window that shows an error box of its own uses it too.
    virtual void errorBox(const std::string& text) = 0;
    static constexpr const char* kErrorCaption = "Ошибка";
    virtual void beep() = 0;
    // Ends the program once the current command has returned.
    virtual void quit() = 0;
    // Creates the window, shows it modally and destroys it when it closes.
    virtual void showModal(const std::string& window, const std::string& title) = 0;
    // Brings a visible window to the front.
    virtual void raise(const std::string& window) = 0;
};

} // namespace millcalc
