#include "ui/MessageWindow.h"

#include "ui/PanelWindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSizeGrip>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace millcalc {

namespace {

// The drawn title bar: dragging it moves the window.
class TitleBar : public QWidget {
public:
    explicit TitleBar(QWidget* parent)
        : QWidget(parent)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().topRight());
        gradient.setColorAt(0, QColor(0x00, 0x00, 0x80));
        gradient.setColorAt(1, QColor(0xa6, 0xca, 0xf0));
        painter.fillRect(rect(), gradient);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        QWindow* handle = window()->windowHandle();
        if (handle && handle->startSystemMove())
            return;
        dragOffset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
        dragging_ = true;
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (dragging_)
            window()->move(event->globalPosition().toPoint() - dragOffset_);
    }

    void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }

private:
    QPoint dragOffset_;
    bool dragging_ = false;
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
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FormMessage"));
    // A new log line must not take the focus away from a corrected field.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setGeometry(kLeft, kTop, 589, 167);
    closeOnEscape(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);

    auto* bar = new TitleBar(this);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(6, 2, 2, 2);
    barLayout->setSpacing(2);
    title_ = new QLabel;
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    QPalette white = title_->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    title_->setPalette(white);
    barLayout->addWidget(title_, 1);
    QToolButton* clear = titleButton(QStringLiteral("Очистить"), QStringLiteral("ClearLog"));
    barLayout->addWidget(clear);
    QToolButton* close = titleButton(QStringLiteral("×"), QStringLiteral("FormMessageClose"));
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    barLayout->addWidget(close);
    layout->addWidget(bar);

    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QStringLiteral("ElFlatMemoMes"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette colours = memo->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, QColor(0x00, 0x00, 0x80));
    memo->setPalette(colours);
    // The window has no frame of its own: the corner between the scroll bars
    // sizes it.
    memo->setCornerWidget(new QSizeGrip(memo));
    layout->addWidget(memo, 1);
}

void MessageWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange)
        title_->setText(windowTitle());
    QWidget::changeEvent(event);
}

} // namespace millcalc
