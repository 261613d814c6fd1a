#include "ui/docks/PanelDock.h"

#include <QApplication>
#include <QLayout>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace millcalc {

namespace {

// Holds a panel's contents at the scroll area's width and at any height down
// to the least its layout gives at that width: its formulas that give way
// drawn smaller, its broken captions whole. Held directly, the contents could
// not be made lower than they would like to be at that width, and would
// scroll where all of them fit.
class FittedContents : public QWidget {
public:
    explicit FittedContents(QWidget* contents)
        : contents_(contents)
    {
        setObjectName(contents->objectName() + QStringLiteral("Holder"));
        contents->setParent(this);
    }

    QSize sizeHint() const override
    {
        QSize size = contents_->sizeHint().expandedTo(minimumSizeHint());
        if (contents_->hasHeightForWidth())
            size.setHeight(std::max(size.height(), contents_->heightForWidth(size.width())));
        return size;
    }

    QSize minimumSizeHint() const override
    {
        QSize least = contents_->minimumSizeHint().expandedTo(contents_->minimumSize());
        if (const QLayout* layout = contents_->layout(); layout && layout->hasHeightForWidth())
            least.setHeight(std::max(least.height(),
                layout->totalMinimumHeightForWidth(std::max(width(), least.width()))));
        return least;
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        contents_->setGeometry(rect());
        // The least height depends on the width.
        if (event->oldSize().width() != width())
            updateGeometry();
    }

    bool event(QEvent* event) override
    {
        // The contents' layout changed: so may the sizes asked for.
        if (event->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QWidget::event(event);
    }

private:
    QWidget* contents_;
};

// A scroll area that asks for the whole of its contents: a dock given that
// room shows everything without scroll bars.
class WholeScrollArea : public QScrollArea {
public:
    QSize sizeHint() const override
    {
        QSize size = QScrollArea::sizeHint();
        if (QWidget* contents = widget()) {
            // Room for a vertical scroll bar, should the dock be given less
            // height: it then covers no column of the contents.
            size = contents->sizeHint()
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
    scroll_->setWidget(new FittedContents(contents));
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
