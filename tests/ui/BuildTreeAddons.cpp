// The tests of the desktop program run in tests/ui of the build tree; the
// program's module (ui/addons/Addons.h) is built at the top of the tree,
// beside the program, where they look for it instead of the installed folder.
#include "ui/addons/AddonLoader.h"

#include <QCoreApplication>

namespace {

void useBuildTreeAddons()
{
    millcalc::setAddonFolders({ QStringLiteral(MILLCALC_BUILD_TREE) });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(useBuildTreeAddons)
