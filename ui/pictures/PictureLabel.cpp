#include "ui/pictures/PictureLabel.h"

#include "ui/bind/FontScale.h"
#include "ui/bind/PaletteColours.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>
#include <utility>

namespace millcalc {

PictureLabel::PictureLabel(QSize placeholder, QWidget* parent)
    : QWidget(parent)
    , renderer_(new QSvgRenderer(this))
    , placeholder_(placeholder)
{
    // Never larger than drawn; smaller where a small screen leaves less room.
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    followPalette(this, [this] {
        if (!source_.isEmpty())
            load();
    });
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
    load();
    updateGeometry();
}

void PictureLabel::load()
{
    QFile svg(source_);
    // A broken file shows as the empty frame, like a missing one.
    if (source_.isEmpty() || !svg.open(QIODevice::ReadOnly)
        || !renderer_->load(inPalette(svg.readAll(), palette()))) {
        source_.clear();
        renderer_->load(QByteArray());
    }
    cache_ = QPixmap();
    update();
}

QByteArray PictureLabel::inPalette(const QByteArray& svg, const QPalette& palette)
{
    const bool dark = isDarkPalette(palette);
    const QColor ink = palette.color(QPalette::WindowText);
    static const QRegularExpression hex(QStringLiteral("#([0-9a-fA-F]{6})\\b"));
    QString text = QString::fromUtf8(svg);
    QString result;
    result.reserve(text.size());
    qsizetype last = 0;
    for (auto it = hex.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QColor colour(match.captured(0));
        float hue = 0, saturation = 0, lightness = 0, alpha = 0;
        colour.getHslF(&hue, &saturation, &lightness, &alpha);
        QColor mapped = colour;
        if (lightness < 0.25f && (saturation < 0.35f || lightness < 0.05f))
            mapped = ink;
        else if (dark)
            mapped = QColor::fromHslF(hue, saturation, 1.0f - lightness);
        result += QStringView(text).mid(last, match.capturedStart() - last);
        result += mapped.name();
        last = match.capturedEnd();
    }
    result += QStringView(text).mid(last);
    return result.toUtf8();
}

namespace {

// The picture over the area, its aspect kept and centred.
void renderCentred(QSvgRenderer& renderer, QPainter& painter, QSize area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    QSizeF target = renderer.defaultSize();
    target.scale(QSizeF(area), Qt::KeepAspectRatio);
    renderer.render(&painter,
        QRectF(QPointF((area.width() - target.width()) / 2, (area.height() - target.height()) / 2),
            target));
}

// An icon of an SVG picture drawn when it is first painted, not when its
// button is built: at the size asked for (crisp at any screen scale), its
// aspect kept and centred; the disabled and selected looks are the style's
// own, as for any icon of pixmaps.
class DrawnPictureEngine : public QIconEngine {
public:
    DrawnPictureEngine(std::shared_ptr<QSvgRenderer> renderer, QSize size)
        : renderer_(std::move(renderer))
        , size_(size)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap drawn = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), drawn);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return { size_ }; }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        if (size.isEmpty())
            return QPixmap();
        const QString key
            = QStringLiteral("%1x%2 %3").arg(size.width()).arg(size.height()).arg(mode);
        if (const auto found = drawn_.constFind(key); found != drawn_.constEnd())
            return found.value();
        QPixmap pixmap;
        if (mode == QIcon::Normal || mode == QIcon::Active) {
            pixmap = QPixmap(size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            renderCentred(*renderer_, painter, size);
        } else {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(
                mode, this->pixmap(size, QIcon::Normal, QIcon::Off), &option);
        }
        drawn_.insert(key, pixmap);
        return pixmap;
    }

    QIconEngine* clone() const override { return new DrawnPictureEngine(*this); }

    QString key() const override { return QStringLiteral("millcalc-picture"); }

    bool isNull() override { return false; }

private:
    std::shared_ptr<QSvgRenderer> renderer_;
    QSize size_;
    QHash<QString, QPixmap> drawn_;
};

} // namespace

QIcon PictureLabel::icon(const QString& file, const QPalette& palette, QSize size)
{
    // Never destroyed, so that no icon outlives the application object.
    static auto* const icons = new QHash<QString, QIcon>;
    const QString key = QStringLiteral("%1 %2x%3 %4 %5")
                            .arg(file)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(palette.color(QPalette::WindowText).name())
                            .arg(isDarkPalette(palette) ? QStringLiteral("dark") : QString());
    if (const auto found = icons->constFind(key); found != icons->constEnd())
        return found.value();
    QFile svg(file);
    if (!svg.open(QIODevice::ReadOnly))
        return QIcon();
    auto renderer = std::make_shared<QSvgRenderer>(inPalette(svg.readAll(), palette));
    if (!renderer->isValid())
        return QIcon();
    const QIcon icon(new DrawnPictureEngine(std::move(renderer), size));
    icons->insert(key, icon);
    return icon;
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
    // Pictures of formulas grow with the font of the texts beside them.
    if (source_.isEmpty() || !renderer_->isValid())
        return fromFont(placeholder_);
    QSize natural = renderer_->defaultSize();
    if (natural.isEmpty())
        return fromFont(placeholder_);
    // Artwork drawn much larger than its place is scaled down to fit it.
    const QSize limit = placeholder_ * 2;
    if (natural.width() > limit.width() || natural.height() > limit.height())
        natural.scale(limit, Qt::KeepAspectRatio);
    return fromFont(natural);
}

void PictureLabel::setGivesWay(bool givesWay)
{
    givesWay_ = givesWay;
    updateGeometry();
}

QSize PictureLabel::leastLegible() const
{
    // A formula stays legible down to three fifths of its size.
    constexpr qreal kLeastScale = 0.6;
    return (QSizeF(sizeHint()) * kLeastScale).toSize();
}

QSize PictureLabel::minimumSizeHint() const
{
    return givesWay_ ? QSize(0, 0) : leastLegible();
}

void PictureLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (source_.isEmpty()) {
        painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    // A formula that would come out smaller than legible is left out.
    if (givesWay_) {
        QSizeF drawn = sizeHint();
        drawn.scale(QSizeF(size()), Qt::KeepAspectRatio);
        const QSize least = leastLegible();
        if (drawn.width() < least.width() || drawn.height() < least.height())
            return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (cache_.size() != pixels || !qFuzzyCompare(cache_.devicePixelRatio(), ratio)) {
        cache_ = QPixmap(pixels);
        cache_.fill(Qt::transparent);
        cache_.setDevicePixelRatio(ratio);
        QPainter svg(&cache_);
        renderCentred(*renderer_, svg, size());
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
