// Handing a letter to the user's mail program, behind an interface so that the
// About window can be checked without one.
#pragma once

#include <QString>

#include <functional>

namespace millcalc {

// A letter for the user to finish: there is no recipient, sender or
// attachment; the user adds the address in the mail program.
struct MailMessage {
    QString subject;
    QString body;
};

class MailHandOff {
public:
    // Called once with the outcome: false when the letter could not be handed
    // over.
    using Outcome = std::function<void(bool handedOver)>;

    virtual ~MailHandOff() = default;
    // Starts opening the mail program's compose window with the letter and
    // returns without waiting for it; `done` runs with the outcome, at once or
    // later from the event loop. A pending hand-off outlives this object and
    // the window that started it.
    virtual void compose(const MailMessage& message, Outcome done) = 0;
};

} // namespace millcalc
