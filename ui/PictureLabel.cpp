#include "ui/PictureLabel.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace millcalc {

PictureLabel::PictureLabel(QSize placeholder, QWidget* parent)
    : QWidget(parent)
    , renderer_(new QSvgRenderer(this))
    , placeholder_(placeholder)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

PictureLabel::~PictureLabel() = default;

QString PictureLabel::pictureFile(const QString& name, int index)
{
    const QString switching = QStringLiteral(":/pictures/%1_%2.svg").arg(name).arg(index);
    if (QFile::exists(switching))
        return switching;
    const QString fixed = QStringLiteral(":/pictures/%1.svg").arg(name);
    if (QFile::exists(fixed))
        return fixed;
    return QString();
}

void PictureLabel::setPicture(int index)
{
    const QString file = pictureFile(objectName(), index);
    index_ = index;
    if (file == source_)
        return;
    source_ = file;
    // A broken file shows as the empty frame, like a missing one.
    if (source_.isEmpty() || !renderer_->load(source_)) {
        source_.clear();
        renderer_->load(QByteArray());
    }
    cache_ = QPixmap();
    updateGeometry();
    update();
}

void PictureLabel::setClickable(bool clickable)
{
    clickable_ = clickable;
    if (clickable)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

QSize PictureLabel::sizeHint() const
{
    if (source_.isEmpty() || !renderer_->isValid())
        return placeholder_;
    QSize natural = renderer_->defaultSize();
    if (natural.isEmpty())
        return placeholder_;
    // Artwork drawn much larger than its place is scaled down to fit it.
    const QSize limit = placeholder_ * 2;
    if (natural.width() > limit.width() || natural.height() > limit.height())
        natural.scale(limit, Qt::KeepAspectRatio);
    return natural;
}

void PictureLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (source_.isEmpty()) {
        painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (cache_.size() != pixels || !qFuzzyCompare(cache_.devicePixelRatio(), ratio)) {
        cache_ = QPixmap(pixels);
        cache_.fill(Qt::transparent);
        cache_.setDevicePixelRatio(ratio);
        QPainter svg(&cache_);
        svg.setRenderHint(QPainter::Antialiasing);
        QSizeF target = renderer_->defaultSize();
        target.scale(QSizeF(size()), Qt::KeepAspectRatio);
        const QPointF origin((width() - target.width()) / 2, (height() - target.height()) / 2);
        renderer_->render(&svg, QRectF(origin, target));
    }
    painter.drawPixmap(0, 0, cache_);
}

void PictureLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = clickable_ && event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void PictureLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

} // namespace millcalc
