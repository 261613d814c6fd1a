// A picture control: shows one SVG picture of the program's resources, crisp at
// any screen scale, and an empty frame where the picture is missing.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

class QSvgRenderer;

namespace millcalc {

class PictureLabel : public QWidget {
    Q_OBJECT
public:
    // placeholder is the size the picture takes while no SVG is found for it.
    explicit PictureLabel(QSize placeholder, QWidget* parent = nullptr);
    ~PictureLabel() override;

    // Shows picture index of the image list named like the control:
    // ":/pictures/<name>_<index>.svg", or the fixed ":/pictures/<name>.svg".
    void setPicture(int index);
    int pictureIndex() const { return index_; }
    // The resource shown, empty when none was found.
    const QString& source() const { return source_; }

    // A formula beside results gives way where a small screen is short of
    // room: below the least legible size it is left out, where otherwise it
    // would push a value out of view.
    void setGivesWay(bool givesWay);

    void setClickable(bool clickable);
    bool isClickable() const { return clickable_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The resource for picture index of the control name, or an empty text.
    static QString pictureFile(const QString& name, int index);
    // The SVG drawn in the palette's colours: its ink (black and near-black
    // text and lines) in the palette's text colour; under a dark palette every
    // other colour with its lightness turned round, so that line art stays
    // light on dark and fills stay behind it.
    static QByteArray inPalette(const QByteArray& svg, const QPalette& palette);
    // The picture of the file as an icon of that size, drawn in the palette's
    // colours as above; null where the file cannot be drawn. It is read at
    // once and drawn when first painted. One icon a file, size and palette,
    // shared by every button that shows it.
    static QIcon icon(const QString& file, const QPalette& palette, QSize size);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void load();
    QSize leastLegible() const;

    QSvgRenderer* renderer_;
    QSize placeholder_;
    QString source_;
    int index_ = -1;
    bool clickable_ = false;
    bool givesWay_ = false;
    bool pressed_ = false;
    QPixmap cache_;
};

} // namespace millcalc
