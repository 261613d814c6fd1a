#include "ui/MailtoHandOff.h"

#include <QDesktopServices>

namespace millcalc {

QUrl MailtoHandOff::url(const MailMessage& message)
{
    // Encoded by hand rather than by QUrlQuery, which would leave "+", "&" or
    // "=" in a text to be misread by the mail program.
    const QByteArray query = "subject=" + QUrl::toPercentEncoding(message.subject)
        + "&body=" + QUrl::toPercentEncoding(message.body);
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

bool MailtoHandOff::compose(const MailMessage& message)
{
    return QDesktopServices::openUrl(url(message));
}

} // namespace millcalc
