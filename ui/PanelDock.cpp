#include "ui/PanelDock.h"

#include <QApplication>
#include <QScreen>
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
            QSize needed = contents->sizeHint().expandedTo(contents->minimumSizeHint());
            if (contents->hasHeightForWidth())
                needed.setHeight(
                    std::max(needed.height(), contents->heightForWidth(needed.width())));
            // Room for a vertical scroll bar, should the dock be given less
            // height: it then covers no column of the contents.
            size = needed
                + QSize(
                    2 * frameWidth() + verticalScrollBar()->sizeHint().width(), 2 * frameWidth());
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

void keepWithinScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Before it is mapped the frame is not known: a title bar about two lines
    // high and thin borders, as window managers draw them.
    const int border = window->fontMetrics().height() / 3;
    const QMargins frame(border, window->fontMetrics().height() * 2, border, border);
    window->resize(window->size().boundedTo(area.size().shrunkBy(frame)));
    QRect outer(window->pos(), window->size().grownBy(frame));
    outer.moveRight(std::min(outer.right(), area.right()));
    outer.moveBottom(std::min(outer.bottom(), area.bottom()));
    outer.moveLeft(std::max(outer.left(), area.left()));
    outer.moveTop(std::max(outer.top(), area.top()));
    window->move(outer.topLeft());
}

PanelDock::PanelDock(const char* name, QWidget* contents, QWidget* owner)
    : QDockWidget(owner)
    , scroll_(new WholeScrollArea)
{
    setObjectName(QString::fromUtf8(name));
    auto* body = new QWidget;
    body->setObjectName(objectName() + QStringLiteral("Body"));
    auto* layout = new QVBoxLayout(body);
    // A line kept in view at the foot stays off the window's very edge,
    // where a scaled window's rounding may take its last pixel.
    layout->setContentsMargins(0, 0, 0, 2);
    layout->setSpacing(0);
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
