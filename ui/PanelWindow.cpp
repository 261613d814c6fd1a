#include "ui/PanelWindow.h"

#include <QEvent>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace millcalc {

namespace {

constexpr int kMargin = 4;

} // namespace

void closeOnEscape(QWidget* window)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setObjectName(window->objectName() + QStringLiteral("Escape"));
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

PanelWindow::PanelWindow(const char* name, QWidget* contents, QWidget* owner)
    : QWidget(owner, Qt::Tool)
    , contents_(contents)
    , scroll_(new QScrollArea)
{
    setObjectName(QString::fromUtf8(name));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    scroll_->setObjectName(objectName() + QStringLiteral("Scroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(contents);
    layout->addWidget(scroll_);
    closeOnEscape(this);
    contents_->installEventFilter(this);
    room_ = QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    fitContents(naturalSize());
}

void PanelWindow::keepInView(QWidget* line)
{
    if (!line || footer_ || !contents_->isAncestorOf(line))
        return;
    footer_ = line;
    // Cut rather than widen a window that has no more room.
    line->setSizePolicy(QSizePolicy::Ignored, line->sizePolicy().verticalPolicy());
    layout()->addWidget(line);
    fitContents(naturalSize());
}

QSize PanelWindow::naturalSize() const
{
    QSize needed = contents_->sizeHint();
    // Wrapped texts may need more lines at that width than the hint says.
    if (contents_->hasHeightForWidth())
        needed.setHeight(std::max(needed.height(), contents_->heightForWidth(needed.width())));
    if (footer_) {
        needed.setWidth(std::max(needed.width(), footer_->sizeHint().width()));
        needed.setHeight(needed.height() + layout()->spacing() + footer_->sizeHint().height());
    }
    return needed + QSize(2 * kMargin, 2 * kMargin);
}

void PanelWindow::fitClient(QSize client, QSize room)
{
    room_ = room;
    fitContents(client);
}

void PanelWindow::fitContents(QSize client)
{
    const QSize natural = naturalSize();
    // The contents never shrink below what they need: what the window cannot
    // show, it scrolls to.
    contents_->setMinimumSize(contents_->sizeHint().expandedTo(QSize(0,
        contents_->hasHeightForWidth() ? contents_->heightForWidth(contents_->sizeHint().width())
                                       : 0)));
    fitted_ = natural;
    setFixedSize(natural.boundedTo(client).boundedTo(room_));
}

bool PanelWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Contents that grow (a longer text, a wider heading) keep the window fitting them.
    if (watched == contents_ && event->type() == QEvent::LayoutRequest && naturalSize() != fitted_)
        fitContents(naturalSize());
    return QWidget::eventFilter(watched, event);
}

} // namespace millcalc
