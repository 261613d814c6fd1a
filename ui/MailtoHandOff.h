// The mail hand-off of the desktop: a mailto: URL opened by the desktop's
// handler for it, never through a shell.
#pragma once

#include "ui/MailHandOff.h"

#include <QUrl>

namespace millcalc {

class MailtoHandOff : public MailHandOff {
public:
    bool compose(const MailMessage& message) override;

    // "mailto:?subject=...&body=...", every character outside the unreserved
    // set percent-encoded as UTF-8.
    static QUrl url(const MailMessage& message);
};

} // namespace millcalc
