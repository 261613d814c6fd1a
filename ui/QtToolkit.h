// The window logic's toolkit operations on Qt: message boxes, the beep, ending
// the program, the modal About window and bringing a window to the front.
#pragma once

#include "app/Toolkit.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

namespace millcalc {

class QtToolkit : public Toolkit {
public:
    // The window that owns the boxes and holds every other window of the
    // program; set once the windows exist.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }
    // Asked before the program ends, by whatever command ends it; false keeps
    // it open (the user cancelled the question about unsaved changes).
    void setQuitCheck(std::function<bool()> check) { quitCheck_ = std::move(check); }
    // Opens the modal windows other than the About window (the park's
    // editor), by their control names.
    void setWindowOpener(std::function<void(const std::string&)> open) { open_ = std::move(open); }

    void warningBox(const std::string& text, const std::string& caption) override;
    void informationBox(const std::string& text) override;
    void errorBox(const std::string& text) override;
    void beep() override;
    void quit() override;
    void showModal(const std::string& window, const std::string& title) override;
    void raise(const std::string& window) override;

    // The caption of the plain information box: the program's name.
    static constexpr const char* kInformationCaption = "millcalc";

private:
    QWidget* boxParent() const;

    QPointer<QWidget> mainWindow_;
    std::function<bool()> quitCheck_;
    std::function<void(const std::string&)> open_;
};

} // namespace millcalc
