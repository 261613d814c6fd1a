#include "ui/PanelWindow.h"

#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

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
    fitClient(naturalSize());
}

QSize PanelWindow::naturalSize() const
{
    return contents_->sizeHint() + QSize(2 * kMargin, 2 * kMargin);
}

void PanelWindow::fitClient(QSize client)
{
    const QSize natural = naturalSize();
    // The contents never shrink below what they need: what the window cannot
    // show, it scrolls to.
    contents_->setMinimumSize(contents_->sizeHint());
    setFixedSize(client.boundedTo(natural));
}

} // namespace millcalc
