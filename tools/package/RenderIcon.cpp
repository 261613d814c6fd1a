// Renders the program's scalable icon as a square PNG for the icon theme's
// fixed-size folders, so that the PNG sizes never drift from the SVG:
//   millcalc-render-icon ICON.svg SIZE OUT.png
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: millcalc-render-icon ICON.svg SIZE OUT.png\n");
        return 2;
    }
    bool sizeRead = false;
    const int size = QByteArray(argv[2]).toInt(&sizeRead);
    if (!sizeRead || size < 16 || size > 1024) {
        std::fprintf(stderr, "millcalc-render-icon: size %s is not 16 to 1024 pixels\n", argv[2]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "millcalc-render-icon: cannot read the SVG %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "millcalc-render-icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
