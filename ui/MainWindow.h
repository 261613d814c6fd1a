// The main window: machine selector, hint, the three buttons, the input page
// control, the main menu and the context menu.
//
// Each input page stands in the page control from the start as a place of
// its own, and is built into it when asked for: at start the page shown,
// the others later (ui/windows/IdleBuild), or at once when the page control turns to
// one not yet built.
#pragma once

#include "shell/table/Methods.h"

#include <QMainWindow>

#include <functional>
#include <vector>

class QMenu;
class QTabWidget;

namespace millcalc {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();

    QMenu* contextMenu() const { return contextMenu_; }

    // One input page for each method of the table.
    static int inputPageCount() { return static_cast<int>(methods().size()); }
    // The input page of that index, built into its place now unless it is;
    // it takes the focus order where it stands among the window's fields.
    QWidget* buildInputPage(int index);
    bool isInputPageBuilt(int index) const;
    // The page control's shown input page, -1 while none is.
    int shownInputPage() const;

    // The inputs at one width whichever page is shown, so that no control
    // moves when the method changes: their widest page's, where the screen
    // has room for it beside the width the docks ask for (roomBeside); else
    // what the docks leave them, where that is no less than
    // widestLeastWidth(); else as wide as the docks leave them, the page
    // shown no narrower than its least width, and the block over the pages
    // (the machine, the hint, the buttons) at one width and place all the
    // same.
    void keepInputWidth();
    // The inputs' least width with the page that needs the most shown.
    int widestLeastWidth() const;
    void setRoomBeside(std::function<int()> roomBeside);

signals:
    // A page not built yet is about to be shown: whoever binds its fields
    // builds it now, before it is painted.
    void inputPageWanted(int index);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    QWidget* createCentralWidget();
    // The inputs' least width with the built page that needs the least shown.
    int narrowestLeastWidth() const;
    void keepHeadWidth(int width);

    std::function<int()> roomBeside_;
    QMenu* contextMenu_ = nullptr;
    QTabWidget* inputPages_ = nullptr;
    QWidget* head_ = nullptr;
    // The place of each input page in the page control, empty until built.
    std::vector<QWidget*> pagePlaces_ = std::vector<QWidget*>(methods().size());
};

} // namespace millcalc
