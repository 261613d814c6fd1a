#include "ui/addons/AddonLoader.h"

#include "ui/addons/Addons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMessageBox>

#include <optional>

namespace millcalc {

namespace {

// The module is loaded once for the process, as the libraries it stands for
// would have been; the tests point the search elsewhere.
struct Loaded {
    std::optional<QStringList> folders;
    bool tried = false;
    Addons* addons = nullptr;
    QString error;
};

Loaded& loaded()
{
    static Loaded state;
    return state;
}

QString reasonBox(const QString& file, const QString& reason)
{
    return QStringLiteral("Не загружен модуль программы\n%1\n\nПричина: %2.")
        .arg(QDir::toNativeSeparators(file), reason);
}

// Loads the module from the first folder that holds it.
void load(Loaded& state)
{
    const QStringList folders = addonFolders();
    QString file;
    for (const QString& folder : folders) {
        const QString candidate = QDir(folder).filePath(QString::fromUtf8(kAddonsFile));
        if (QFileInfo::exists(candidate)) {
            file = candidate;
            break;
        }
    }
    if (file.isEmpty()) {
        QStringList tried;
        for (const QString& folder : folders)
            tried << QDir::toNativeSeparators(
                QDir(folder).filePath(QString::fromUtf8(kAddonsFile)));
        state.error = QStringLiteral("Не найден модуль программы %1; искали:\n%2")
                          .arg(QString::fromUtf8(kAddonsFile), tried.join(QLatin1Char('\n')));
        return;
    }
    QLibrary library(file);
    if (!library.load()) {
        state.error = reasonBox(file, library.errorString());
        return;
    }
    const auto entry = reinterpret_cast<AddonsEntry>(library.resolve(kAddonsEntry));
    if (!entry) {
        state.error = reasonBox(
            file, QStringLiteral("в нем нет функции %1").arg(QString::fromUtf8(kAddonsEntry)));
        return;
    }
    state.addons = entry(kAddonsVersion);
    if (!state.addons)
        state.error = reasonBox(file, QStringLiteral("модуль от другой версии программы"));
}

} // namespace

Addons* addons()
{
    Loaded& state = loaded();
    if (!state.tried) {
        state.tried = true;
        load(state);
    }
    return state.addons;
}

QString addonsError()
{
    addons();
    return loaded().error;
}

QStringList addonFolders()
{
    if (const auto& folders = loaded().folders)
        return *folders;
    const QString beside = QCoreApplication::applicationDirPath();
    QStringList folders { beside,
        QDir::cleanPath(QDir(beside).filePath(QStringLiteral(MILLCALC_ADDONS_RELATIVE))),
        QStringLiteral(MILLCALC_ADDONS_INSTALLED) };
    folders.removeDuplicates();
    return folders;
}

void setAddonFolders(const QStringList& folders)
{
    Loaded& state = loaded();
    state = Loaded {};
    state.folders = folders;
}

QMessageBox* missingAddonsBox(QWidget* parent, const QString& unavailable)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Модуль не загружен"),
        QStringLiteral("%1.\n\n%2\n\nПереустановите программу.").arg(unavailable, addonsError()),
        QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("AddonsErrorBox"));
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

} // namespace millcalc
