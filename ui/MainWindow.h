// The main window: machine selector, hint, the three buttons, the input page
// control, the main menu and the context menu.
#pragma once

#include <QMainWindow>

class QMenu;

namespace millcalc {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();

    QMenu* contextMenu() const { return contextMenu_; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    QWidget* createCentralWidget();

    QMenu* contextMenu_ = nullptr;
    QWidget* inputPages_ = nullptr;
};

} // namespace millcalc
