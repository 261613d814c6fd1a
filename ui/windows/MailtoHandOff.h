// The mail hand-off of the desktop: a mailto: URL given as the one argument of
// the desktop's mail launcher, xdg-email, which is started directly, never
// through a shell. Its exit status is the outcome.
#pragma once

#include "ui/windows/MailHandOff.h"

#include <QUrl>

namespace millcalc {

class MailtoHandOff : public MailHandOff {
public:
    // The launcher's exit status decides while it comes within `verdictMs`; a
    // launcher still running then has opened the mail program and waits for it
    // to close (xdg-email does so for Thunderbird), and counts as handed over.
    explicit MailtoHandOff(
        QString launcher = QStringLiteral("xdg-email"), int verdictMs = kVerdictMs);

    void compose(const MailMessage& message, Outcome done) override;

    // "mailto:?subject=...&body=...", every character outside the unreserved
    // set percent-encoded as UTF-8.
    static QUrl url(const MailMessage& message);

    static constexpr int kVerdictMs = 10000;

private:
    QString launcher_;
    int verdictMs_;
};

} // namespace millcalc
