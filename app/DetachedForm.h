// A copy of the window to compute on: its own field store and a toolkit that
// shows nothing, so that trying a calculation leaves the window, the log, the
// focus and the selected machine as they are and no box appears.
#pragma once

#include "app/Form.h"
#include "app/Toolkit.h"

namespace millcalc {

// Swallows what the steps ask of a toolkit.
class QuietToolkit : public Toolkit {
public:
    void warningBox(const std::string&, const std::string&) override { }
    void informationBox(const std::string&) override { }
    void errorBox(const std::string&) override { }
    void beep() override { }
    void quit() override { }
    void showModal(const std::string&, const std::string&) override { }
    void raise(const std::string&) override { }
};

class DetachedForm {
public:
    explicit DetachedForm(const Form& original)
        : form_(toolkit_, original)
    {
    }
    DetachedForm(const DetachedForm&) = delete;
    DetachedForm& operator=(const DetachedForm&) = delete;

    // As a new copy of the original would be, at the cost of what changed.
    void resetToCopyOf(const Form& original) { form_.resetToCopyOf(original); }

    Form& form() { return form_; }
    FieldStore& store() { return form_.store(); }

private:
    QuietToolkit toolkit_; // declared first: the form holds a reference to it
    Form form_;
};

} // namespace millcalc
