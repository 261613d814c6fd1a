#include "ui/windows/AboutWindow.h"

#include "app/Toolkit.h"
#include "ui/pages/WidgetKit.h"
#include "ui/pictures/JpegPicture.h"
#include "ui/pictures/PictureLabel.h"
#include "ui/windows/MailtoHandOff.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QVBoxLayout>

namespace millcalc {

namespace {

// The people and the address are placeholders of this build.
constexpr const char* kAuthor = "П. П. Примеров";
constexpr const char* kMailAddress = "millcalc@example.org";
constexpr const char* kDepartment = "Отдел главного технолога,\nбюро программ ЧПУ";
constexpr const char* kInspirer = "И. И. Задумкин";

QLabel* label(const char* text, bool bold = false)
{
    auto* label = new QLabel(QString::fromUtf8(text));
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

AboutWindow::AboutWindow(QWidget* parent, MailHandOff& mail)
    : QDialog(parent,
          Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
              | Qt::WindowStaysOnTopHint)
    , mail_(mail)
    , background_(
          new JpegPicture(QStringLiteral(":/pictures/AboutBackground.jpg"), QSize(280, 199), this))
    , mailLink_(label(kMailAddress))
    , mailPicture_(new PictureLabel(QSize(24, 24)))
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QString::fromUtf8(kTitle));

    mailLink_->setObjectName(QStringLiteral("LabelMail"));
    QFont linkFont = mailLink_->font();
    linkFont.setUnderline(true);
    mailLink_->setFont(linkFont);
    QPalette linkPalette = mailLink_->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xff));
    mailLink_->setPalette(linkPalette);
    mailLink_->setCursor(Qt::PointingHandCursor);
    mailLink_->installEventFilter(this);

    mailPicture_->setObjectName(QStringLiteral("MailPicture"));
    mailPicture_->setToolTip(pictureToolTip(mailPicture_->objectName()));
    mailPicture_->setPicture(0);
    mailPicture_->setClickable(true);
    connect(mailPicture_, &PictureLabel::clicked, this, &AboutWindow::sendMail);

    auto* mailRow = new QHBoxLayout;
    mailRow->setSpacing(8);
    mailRow->addWidget(mailLink_);
    mailRow->addWidget(mailPicture_);
    mailRow->addStretch(1);

    auto* layout = new QVBoxLayout(background_);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(2);
    layout->addStretch(1);
    layout->addWidget(label("Автор программы:", true));
    layout->addWidget(label(kAuthor));
    layout->addLayout(mailRow);
    layout->addSpacing(6);
    layout->addWidget(label(kDepartment));
    layout->addSpacing(6);
    layout->addWidget(label("Идея, вдохновитель:", true));
    layout->addWidget(label(kInspirer));
    layout->addStretch(1);

    // The window fits its background picture.
    const QSize size = background_->sizeHint();
    background_->setGeometry(QRect(QPoint(0, 0), size));
    setFixedSize(size);
}

void AboutWindow::showEvent(QShowEvent* event)
{
    // Centred on the main window itself, not on a guess of its frame.
    if (QWidget* owner = parentWidget())
        move(owner->window()->frameGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mailLink_ && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton
            && mailLink_->rect().contains(mouse->position().toPoint())) {
            sendMail();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWindow::sendMail()
{
    // One letter at a time: a second click while the first is on its way would
    // open a second compose window.
    if (mailPending_)
        return;
    mailPending_ = true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const MailMessage message {
        QString::fromUtf8(kMailSubject),
        QString::fromUtf8(kMailBody),
    };
    const QPointer<AboutWindow> window(this);
    const QPointer<QWidget> owner(parentWidget());
    mail_.compose(message, [window, owner](bool handedOver) {
        QApplication::restoreOverrideCursor();
        if (window)
            window->mailPending_ = false;
        if (handedOver)
            return;
        // Over this window, which stays on top of the others: a box owned by
        // the main window could open under it and leave the program waiting
        // unseen. Over the main window when this one was closed meanwhile.
        QMessageBox box(QMessageBox::Critical, QString::fromUtf8(Toolkit::kErrorCaption),
            QString::fromUtf8(kMailError), QMessageBox::Ok, window ? window.data() : owner.data());
        box.setTextFormat(Qt::PlainText);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
    });
}

void showAboutWindow(QWidget* parent)
{
    MailtoHandOff mail;
    AboutWindow window(parent, mail);
    window.exec();
}

} // namespace millcalc
