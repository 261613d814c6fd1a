// The headless front end: reads scenario commands, performs them on the window
// logic as a user would, and writes what the user would see, one line an event
// or answer. Every modal box is answered at once with its only button.
#pragma once

#include "app/Main.h"
#include "app/Toolkit.h"

#include <iosfwd>
#include <string>

namespace millcalc {

class ScenarioRunner : public Toolkit {
public:
    explicit ScenarioRunner(std::ostream& out);

    // Starts the calculator as the desktop program does. Returns false, after
    // printing the error box, when start-up failed.
    bool start();

    // Performs one line; returns false once the program has ended.
    bool runLine(const std::string& line);
    // Performs every line of the stream; returns the exit status: 1 when any
    // line was in error, otherwise 0.
    int run(std::istream& in);

    int lineNumber() const { return lineNumber_; }
    bool failed() const { return failed_; }
    bool ended() const { return ended_; }
    FormMain& form() { return form_; }

    // Toolkit
    void warningBox(const std::string& text, const std::string& caption) override;
    void informationBox(const std::string& text) override;
    void errorBox(const std::string& text) override;
    void beep() override;
    void quit() override;
    void showModal(const std::string& window, const std::string& title) override;
    void raise(const std::string& window) override;

private:
    void perform(const std::string& line);
    void error(const std::string& reason);
    const Field* control(const std::string& name);

    std::ostream& out_;
    FormMain form_;
    int lineNumber_ = 0;
    bool failed_ = false;
    bool ended_ = false;
};

// The text escapes of the scenario output: backslash, line break, carriage
// return and tab.
std::string escapeText(const std::string& text);

} // namespace millcalc
