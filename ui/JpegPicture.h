// A picture control for one of the program's JPEG pictures: the decoded
// picture, scaled to fit when its window is resized, or, where the file is
// missing or broken, a frame of the picture's size with the reason in it.
#pragma once

#include "ui/JpegImage.h"

#include <QSize>
#include <QWidget>

namespace millcalc {

class JpegPicture : public QWidget {
    Q_OBJECT
public:
    // size is the picture's place while the file cannot be shown.
    JpegPicture(const QString& resource, QSize size, QWidget* parent = nullptr);

    const JpegImage& picture() const { return picture_; }
    QSize sizeHint() const override { return size_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    JpegImage picture_;
    QSize size_;
};

} // namespace millcalc
