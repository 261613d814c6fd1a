// The program's JPEG pictures (the designations scheme, the About background
// and the splash), decoded with libjpeg-turbo from the bytes of a file or a Qt
// resource. A missing or broken file gives an empty image and a message that
// says which picture and what is wrong with it, never a crash.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace millcalc {

class JpegImage {
public:
    // Reads and decodes a file or resource (":/pictures/Splash.jpg"); a failure
    // is also written to the Qt warning log.
    static JpegImage load(const QString& path);
    // Decodes bytes; source names the picture in the message.
    static JpegImage decode(const QByteArray& bytes, const QString& source);

    bool isNull() const { return image_.isNull(); }
    const QImage& image() const { return image_; }
    // Why the image is empty, for the user; empty when it decoded.
    const QString& error() const { return error_; }

    // No side of our pictures comes near this; a larger header is taken for
    // a broken file rather than an allocation of gigabytes.
    static constexpr int kMaxSide = 8192;

private:
    QImage image_;
    QString error_;
};

} // namespace millcalc
