#include "ui/windows/MessageWindow.h"

#include "app/FieldStore.h"
#include "ui/bind/PaletteColours.h"
#include "ui/docks/PanelDock.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace millcalc {

namespace {

// The drawn title bar. It leaves the mouse to the dock, which moves, floats
// and docks it as any dock's title bar.
class TitleBar : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().topRight());
        gradient.setColorAt(0, QColor(0x00, 0x00, 0x80));
        gradient.setColorAt(1, QColor(0xa6, 0xca, 0xf0));
        painter.fillRect(rect(), gradient);
    }
};

QToolButton* titleButton(const QString& text, const QString& name)
{
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

MessageWindow::MessageWindow(QWidget* owner)
    : QDockWidget(owner)
{
    setObjectName(QStringLiteral("FormMessage"));
    closeOnEscape(this);

    auto* bar = new TitleBar(this);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(6, 2, 2, 2);
    barLayout->setSpacing(2);
    title_ = new QLabel;
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    // White on the navy end of the gradient, whatever the desktop's colours.
    QPalette white = title_->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    title_->setPalette(white);
    barLayout->addWidget(title_, 1);
    QToolButton* clear = titleButton(QStringLiteral("Очистить"), QStringLiteral("ClearLog"));
    barLayout->addWidget(clear);
    QToolButton* floating = titleButton(QStringLiteral("❐"), QStringLiteral("FormMessageFloat"));
    floating->setToolTip(QStringLiteral("Открепить / закрепить окно"));
    connect(floating, &QToolButton::clicked, this, [this] { setFloating(!isFloating()); });
    barLayout->addWidget(floating);
    QToolButton* close = titleButton(QStringLiteral("×"), QStringLiteral("FormMessageClose"));
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    barLayout->addWidget(close);
    setTitleBarWidget(bar);

    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QStringLiteral("ElFlatMemoMes"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Five lines of text by default; the user sizes it.
    memo->setMinimumHeight(memo->fontMetrics().lineSpacing() * 3);
    setWidget(memo);
    // Navy text on the field's background, lighter navy on a dark one.
    keepTextColour(memo, colours::Navy, QPalette::Text);
}

void MessageWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange)
        title_->setText(windowTitle());
    QDockWidget::changeEvent(event);
}

} // namespace millcalc
