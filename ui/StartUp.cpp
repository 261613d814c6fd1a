#include "ui/StartUp.h"

#include "app/Toolkit.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

void prepareApplication(QGuiApplication& app)
{
    QCoreApplication::setApplicationName(QStringLiteral("millcalc"));
    // The desktop finds the menu entry and its icon by this name (the
    // Wayland app id); the window icon comes from the installed icon theme.
    QGuiApplication::setDesktopFileName(QStringLiteral("millcalc"));
    installQtTranslations(app, QLocale());
}

} // namespace millcalc
