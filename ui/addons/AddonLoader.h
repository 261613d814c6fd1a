// Finds and loads the module millcalc-addons.so (Addons.h) at its first use.
// A module that is missing or broken is no crash: the caller shows the box of
// missingAddonsBox() instead of the nomogram's chart or the print preview.
#pragma once

#include <QString>
#include <QStringList>

class QMessageBox;
class QWidget;

namespace millcalc {

class Addons;

// The module's file name.
inline constexpr char kAddonsFile[] = "millcalc-addons.so";

// The module, loaded at the first call; null, with addonsError() saying why,
// when it could not be loaded. The module stays loaded for the process.
Addons* addons();
// Why addons() is null, in Russian, naming the file.
QString addonsError();

// Where the module is looked for, in this order: beside the program (the
// build tree), in the installed folder relative to the program (wherever the
// program was installed), in the folder the build was configured to install
// to. The first folder that holds the file is the one loaded from.
QStringList addonFolders();
// Looks in these folders instead (the tests, which run elsewhere); forgets a
// module found before, so that the next addons() looks again.
void setAddonFolders(const QStringList& folders);

// The box saying that `unavailable` ("Номограмма недоступна") and why; a
// window-modal box over parent, not yet shown, deleted when closed.
QMessageBox* missingAddonsBox(QWidget* parent, const QString& unavailable);

} // namespace millcalc
