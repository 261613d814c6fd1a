// A copy of the main window to compute on: its own field store and a toolkit
// that shows nothing, so that trying a calculation leaves the window, the log,
// the focus and the selected machine as they are and no box appears.
#pragma once

#include "app/Toolkit.h"
#include "shell/FormMain.h"

namespace millcalc {

// Swallows what the steps ask of a toolkit and remembers whether a box would
// have been shown.
class QuietToolkit : public Toolkit {
public:
    void warningBox(const std::string&, const std::string&) override { boxShown = true; }
    void informationBox(const std::string&) override { boxShown = true; }
    void errorBox(const std::string&) override { boxShown = true; }
    void beep() override { }
    void quit() override { }
    void showModal(const std::string&, const std::string&) override { }
    void raise(const std::string&) override { }

    bool boxShown = false;
};

class DetachedForm {
public:
    explicit DetachedForm(const FormMain& original)
        : form_(toolkit_, original)
    {
    }
    DetachedForm(const DetachedForm&) = delete;
    DetachedForm& operator=(const DetachedForm&) = delete;

    FormMain& form() { return form_; }
    FieldStore& store() { return form_.store(); }
    bool boxShown() const { return toolkit_.boxShown; }

private:
    QuietToolkit toolkit_; // declared first: the form holds a reference to it
    FormMain form_;
};

} // namespace millcalc
