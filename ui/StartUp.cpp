#include "ui/StartUp.h"

#include "app/Toolkit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIconEngine>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStandardPaths>
#include <QTranslator>
#include <QWidget>

#include <exception>

namespace millcalc {

bool startOrReport(Toolkit& toolkit, const std::function<void()>& startUp)
{
    try {
        startUp();
    } catch (const std::exception& error) {
        toolkit.errorBox(error.what());
        return false;
    } catch (...) {
        toolkit.errorBox("Ошибка при запуске программы");
        return false;
    }
    return true;
}

QString installQtTranslations(QCoreApplication& app, const QLocale& locale)
{
    const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    if ((locale.language() != QLocale::C
            && translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), path))
        || translator->load(QStringLiteral("qtbase_ru"), path)) {
        QCoreApplication::installTranslator(translator);
        return translator->language();
    }
    delete translator;
    return QString();
}

namespace {

// A picture of the style fetched when it is first painted.
class StylePictureLater : public QIconEngine {
public:
    StylePictureLater(QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
        : style_(style)
        , which_(which)
        , widget_(const_cast<QWidget*>(widget))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        picture().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return picture().pixmap(size, 1.0, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return picture().availableSizes(mode, state);
    }

    QIconEngine* clone() const override { return new StylePictureLater(*this); }

    QString key() const override { return QStringLiteral("millcalc-style-picture"); }

    bool isNull() override { return false; }

private:
    const QIcon& picture()
    {
        if (!fetched_ && style_)
            picture_ = style_->standardIcon(which_, nullptr, widget_);
        fetched_ = true;
        return picture_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    QPointer<QWidget> widget_;
    QIcon picture_;
    bool fetched_ = false;
};

// The desktop's style, but for the picture of the menu bar's button for the
// menus it has no room for: every style reads it from image files when the
// menu bar is made, which loads Qt's image plugins before the main window
// can show, for a button seldom shown. It is read when first painted.
class MenuBarPictureLater : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(
        StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton && !option)
            return QIcon(new StylePictureLater(baseStyle(), which, widget));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

void prepareApplication(QGuiApplication& app)
{
    if (qobject_cast<QApplication*>(&app))
        QApplication::setStyle(new MenuBarPictureLater(QApplication::style()));
    QCoreApplication::setApplicationName(QStringLiteral("millcalc"));
    // The desktop finds the menu entry and its icon by this name (the
    // Wayland app id); the window icon comes from the installed icon theme.
    QGuiApplication::setDesktopFileName(QStringLiteral("millcalc"));
    installQtTranslations(app, QLocale());
}

bool sessionBusNamed(const char* address, const char* runtimeFolder)
{
    if (address != nullptr && *address != '\0')
        return true;
    return runtimeFolder != nullptr && *runtimeFolder != '\0'
        && QFileInfo(QDir(QString::fromLocal8Bit(runtimeFolder)).filePath(QStringLiteral("bus")))
               .exists();
}

QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/millcalc/millcalc.ini");
}

} // namespace millcalc
