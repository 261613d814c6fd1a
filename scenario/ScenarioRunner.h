// The headless front end: reads scenario commands, performs them on the window
// logic as a user would, and writes what the user would see, one line an event
// or answer. Every modal box is answered at once with its only button.
#pragma once

#include "app/Toolkit.h"
#include "shell/FormMain.h"
#include "shell/input/InputLine.h"

#include <iosfwd>
#include <span>
#include <string>

namespace millcalc {

struct CutterAnswer;

class ScenarioRunner : public Toolkit {
public:
    explicit ScenarioRunner(std::ostream& out);

    // Starts the calculator as the desktop program does. Returns false, after
    // printing the error box, when start-up failed.
    bool start();

    // The exit status when the scenario could not be read or the output not
    // written.
    static constexpr int kCannotReadOrWrite = 2;

    // Performs one line, given without its line end; returns false once the
    // program has ended.
    bool runLine(const std::string& line);
    // Performs every line of the stream; returns the exit status: 2 when the
    // stream could not be read to its end or the output not written (it stops
    // at the first failed write), else 1 when any line was in error, else 0.
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
    enum class Shape;
    struct Call;
    struct Command;
    static std::span<const Command> commands();

    void perform(const std::string& line);
    // An input command, read by the grammar the calculation file reads too.
    void performInput(const InputLine& input, InputFault fault);
    void error(const std::string& reason);
    void cutterAnswer(const CutterAnswer& answer);
    const Field* control(const std::string& name);

    std::ostream& out_;
    FormMain form_;
    int lineNumber_ = 0;
    bool failed_ = false;
    bool ended_ = false;
};

// The text escapes of the scenario output: backslash, line break, carriage
// return and tab, and \xNN for every other control character and for each
// byte that is not part of well-formed UTF-8, so that the output is always
// valid UTF-8 with one event or answer a line.
std::string escapeText(const std::string& text);

} // namespace millcalc
