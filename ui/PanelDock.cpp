#include "ui/PanelDock.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace millcalc {

namespace {

// A scroll area that asks for the whole of its contents: a dock given that
// room shows everything without scroll bars.
class WholeScrollArea : public QScrollArea {
public:
    QSize sizeHint() const override
    {
        QSize size = QScrollArea::sizeHint();
        if (QWidget* contents = widget()) {
            QSize needed = contents->sizeHint();
            if (contents->hasHeightForWidth())
                needed.setHeight(
                    std::max(needed.height(), contents->heightForWidth(needed.width())));
            size = needed + QSize(2 * frameWidth(), 2 * frameWidth());
        }
        return size;
    }
};

} // namespace

void closeOnEscape(QWidget* window)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setObjectName(window->objectName() + QStringLiteral("Escape"));
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
    if (auto* dock = qobject_cast<QDockWidget*>(window)) {
        // Docked, its window is the main window, whose Esc is not the dock's.
        escape->setEnabled(dock->isFloating());
        QObject::connect(dock, &QDockWidget::topLevelChanged, escape, &QShortcut::setEnabled);
    }
}

PanelDock::PanelDock(const char* name, QWidget* contents, QWidget* owner)
    : QDockWidget(owner)
    , scroll_(new WholeScrollArea)
{
    setObjectName(QString::fromUtf8(name));
    auto* body = new QWidget;
    body->setObjectName(objectName() + QStringLiteral("Body"));
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    scroll_->setObjectName(objectName() + QStringLiteral("Scroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(contents);
    layout->addWidget(scroll_, 1);
    setWidget(body);
    closeOnEscape(this);
}

void PanelDock::keepInView(QWidget* line)
{
    if (!line || !scroll_->widget() || !scroll_->widget()->isAncestorOf(line))
        return;
    // Cut rather than widen a dock that has no more room.
    line->setSizePolicy(QSizePolicy::Ignored, line->sizePolicy().verticalPolicy());
    widget()->layout()->addWidget(line);
}

} // namespace millcalc
