#include "ui/JpegPicture.h"

#include <QPainter>

namespace millcalc {

JpegPicture::JpegPicture(const QString& resource, QSize size, QWidget* parent)
    : QWidget(parent)
    , picture_(JpegImage::load(resource))
    , size_(picture_.isNull() ? size : picture_.image().size())
{
}

void JpegPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), palette().color(QPalette::Base));
        painter.setPen(QColor(0xc0, 0x00, 0x00));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.drawText(
            rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, picture_.error());
        return;
    }
    const QImage& image = picture_.image();
    if (image.size() == size()) {
        painter.drawImage(0, 0, image);
        return;
    }
    // A resized window shows the whole picture, centred, without distortion.
    const QSize fitted = image.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(
        QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
}

} // namespace millcalc
