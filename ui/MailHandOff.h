// Handing a letter to the user's mail program, behind an interface so that the
// About window can be checked without one.
#pragma once

#include <QString>

namespace millcalc {

// A letter for the user to finish: there is no recipient, sender or
// attachment; the user adds the address in the mail program.
struct MailMessage {
    QString subject;
    QString body;
};

class MailHandOff {
public:
    virtual ~MailHandOff() = default;
    // Opens the mail program's compose window with the letter; false when it
    // could not be handed over.
    virtual bool compose(const MailMessage& message) = 0;
};

} // namespace millcalc
