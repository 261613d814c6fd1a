#include "ui/pictures/JpegPicture.h"

#include <QPaintEngine>
#include <QPainter>

namespace millcalc {

JpegPicture::JpegPicture(const QString& resource, QSize size, QWidget* parent)
    : QWidget(parent)
    , resource_(resource)
    , placeholder_(size)
{
}

const JpegImage& JpegPicture::picture() const
{
    if (!picture_)
        picture_ = JpegImage::load(resource_);
    return *picture_;
}

QSize JpegPicture::sizeHint() const
{
    return picture().isNull() ? placeholder_ : picture().image().size();
}

QString JpegPicture::resourceFor(const QString& resource, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1.0)
        return resource;
    const qsizetype dot = resource.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return resource + QStringLiteral("@2x");
    return resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
}

const JpegImage& JpegPicture::pictureFor(qreal devicePixelRatio) const
{
    const JpegImage& natural = picture();
    if (devicePixelRatio <= 1.0 || natural.isNull())
        return natural;
    if (!doubled_) {
        doubled_ = JpegImage::load(resourceFor(resource_, devicePixelRatio));
        // Only a file of twice the size is drawn as the sharp picture.
        if (!doubled_->isNull() && doubled_->image().size() != 2 * natural.image().size())
            *doubled_ = JpegImage();
    }
    return doubled_->isNull() ? natural : *doubled_;
}

void JpegPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (picture().isNull()) {
        painter.fillRect(rect(), palette().color(QPalette::Base));
        painter.setPen(QColor(0xc0, 0x00, 0x00));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.drawText(
            rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, picture().error());
        return;
    }
    // The pixel ratio of what is painted on: the screen's, or a grab's.
    const QPaintDevice* surface = painter.paintEngine() && painter.paintEngine()->paintDevice()
        ? painter.paintEngine()->paintDevice()
        : this;
    const QImage& image = pictureFor(surface->devicePixelRatioF()).image();
    // Laid out in the picture's own size; a double-resolution image fills the
    // same place with twice the pixels.
    const QSize natural = picture().image().size();
    if (natural == size()) {
        painter.drawImage(rect(), image);
        return;
    }
    // A resized window shows the whole picture, centred, without distortion.
    const QSize fitted = natural.scaled(size(), Qt::KeepAspectRatio);
    const QRect target(
        QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
}

} // namespace millcalc
