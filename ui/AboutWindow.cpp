#include "ui/AboutWindow.h"

#include <QDialog>

namespace millcalc {

void showAboutWindow(QWidget* parent)
{
    // Stands in until the window with its picture, names and mail link is built.
    QDialog dialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    dialog.setObjectName(QStringLiteral("FormAbout"));
    dialog.setWindowTitle(QStringLiteral("Об авторе ..."));
    dialog.setFixedSize(280, 199);
    dialog.exec();
}

} // namespace millcalc
