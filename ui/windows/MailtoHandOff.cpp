#include "ui/windows/MailtoHandOff.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>

#include <memory>
#include <utility>

namespace millcalc {

MailtoHandOff::MailtoHandOff(QString launcher, int verdictMs)
    : launcher_(std::move(launcher))
    , verdictMs_(verdictMs)
{
}

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

void MailtoHandOff::compose(const MailMessage& message, Outcome done)
{
    // Owned by the application rather than by this object or the About window,
    // so that closing the window neither kills the launcher nor loses its
    // outcome. The launcher and the mail program it starts read and write
    // nothing of ours: the mail program may outlive this program.
    auto* launcher = new QProcess(QCoreApplication::instance());
    launcher->setProgram(launcher_);
    launcher->setArguments({ url(message).toString(QUrl::FullyEncoded) });
    launcher->setStandardInputFile(QProcess::nullDevice());
    launcher->setStandardOutputFile(QProcess::nullDevice());
    launcher->setStandardErrorFile(QProcess::nullDevice());

    // The first of exit, failure to start and the verdict time decides.
    auto pending = std::make_shared<Outcome>(std::move(done));
    const auto decide = [pending](bool handedOver) {
        if (!*pending)
            return;
        const Outcome outcome = std::exchange(*pending, nullptr);
        outcome(handedOver);
    };
    auto* verdict = new QTimer(launcher);
    verdict->setSingleShot(true);
    QObject::connect(verdict, &QTimer::timeout, launcher, [decide] { decide(true); });
    QObject::connect(launcher, &QProcess::finished, launcher,
        [launcher, decide](int exitCode, QProcess::ExitStatus status) {
            decide(status == QProcess::NormalExit && exitCode == 0);
            launcher->deleteLater();
        });
    // Queued: a launcher that cannot be started is reported from the event
    // loop, as every other outcome, not from inside this call.
    QObject::connect(
        launcher, &QProcess::errorOccurred, launcher,
        [launcher, decide](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return; // a crash still ends in finished()
            decide(false);
            launcher->deleteLater();
        },
        Qt::QueuedConnection);
    verdict->start(verdictMs_);
    launcher->start();
}

} // namespace millcalc
