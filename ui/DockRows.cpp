#include "ui/DockRows.h"

#include "shell/WindowPanels.h"
#include "ui/Panels.h"
#include "ui/docks/PanelDock.h"
#include "ui/windows/MessageWindow.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QtGlobal>

#include <algorithm>

namespace millcalc {

namespace {

// A panel of the main window as a dock around its contents.
QDockWidget* panelDock(const DockRow& row, QMainWindow* main)
{
    return new PanelDock(row.name, row.contents(row.name), main);
}

// The log, a dock of its own kind.
QDockWidget* messageDock(const DockRow&, QMainWindow* main)
{
    return new MessageWindow(main);
}

} // namespace

const std::vector<DockRow>& dockRows()
{
    static const std::vector<DockRow> rows = [] {
        std::vector<DockRow> all {
            { .name = kResultsPanel,
                .kind = DockKind::Results,
                .make = panelDock,
                .contents = createResultsPanel,
                .keptInView = "StatusBarMesRow",
                .carriesResults = true,
                .pages = "PageControlMethods" },
            { .name = "FormMessage", .kind = DockKind::Log, .make = messageDock },
        };
        // The side panels in the table's order: a panel earlier in it is the
        // one a later panel joins as a tab.
        for (const PanelRow& row : windowPanels()) {
            const PanelContents contents = sidePanelContents(row.panel->name);
            if (contents == nullptr)
                continue; // the results, above
            all.push_back({ .name = row.panel->name,
                .kind = DockKind::Panel,
                .make = panelDock,
                .contents = contents });
        }
        return all;
    }();
    return rows;
}

const DockRow& dockRowOf(DockKind kind)
{
    const std::vector<DockRow>& rows = dockRows();
    const auto row = std::find_if(
        rows.begin(), rows.end(), [kind](const DockRow& r) { return r.kind == kind; });
    Q_ASSERT(row != rows.end());
    return *row;
}

} // namespace millcalc
