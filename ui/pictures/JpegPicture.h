// A picture control for one of the program's JPEG pictures: the decoded
// picture, scaled to fit when its window is resized, or, where the file is
// missing or broken, a frame of the picture's size with the reason in it.
// Each picture has a second file of double resolution ("Splash@2x.jpg" beside
// "Splash.jpg"), drawn instead on a screen scaled by more than 1.
#pragma once

#include "ui/pictures/JpegImage.h"

#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>

namespace millcalc {

class JpegPicture : public QWidget {
    Q_OBJECT
public:
    // size is the picture's place while the file cannot be shown.
    JpegPicture(const QString& resource, QSize size, QWidget* parent = nullptr);

    // The picture at its own size, decoded when first asked for (to be laid
    // out or drawn), not when the control is made.
    const JpegImage& picture() const;
    // The picture drawn on a screen of the given device pixel ratio: the
    // double-resolution file above 1 (decoded when first asked for), the
    // picture at its own size where that file is missing or broken.
    const JpegImage& pictureFor(qreal devicePixelRatio) const;
    QSize sizeHint() const override;

    // The file of the picture for a device pixel ratio.
    static QString resourceFor(const QString& resource, qreal devicePixelRatio);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    mutable std::optional<JpegImage> picture_;
    mutable std::optional<JpegImage> doubled_;
    QSize placeholder_;
};

} // namespace millcalc
