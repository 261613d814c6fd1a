// millcalc-window-texts: prints every text the main window shows at start,
// one a line, as the desktop program lays it out (the menu bar's titles, the
// captions, the buttons, the page tabs, the fields' and lists' texts), each
// with its line breaks written "\n". tools/startup-time.sh lays these texts
// out in plain layouts for a yardstick of its own. Runs on any Qt platform,
// the offscreen one too.
#include "shell/FormMain.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"
#include "ui/QtToolkit.h"
#include "ui/StartUp.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QTextStream>

#include <cstdio>

namespace {

// A caption as shown: without the "&" that marks its letter, "&&" as "&".
QString shown(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text.remove(QLatin1Char('\r'));
    return text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
}

bool inView(const QWidget* widget, const QWidget* window)
{
    if (!widget->isVisibleTo(window))
        return false;
    for (const QWidget* up = widget; up && up != window; up = up->parentWidget()) {
        if (qobject_cast<const QDockWidget*>(up))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    millcalc::prepareApplication(app);
    millcalc::QtToolkit toolkit;
    millcalc::FormMain form(toolkit);
    form.start();
    millcalc::Desktop desktop(form);
    toolkit.setMainWindow(&desktop.mainWindow());
    desktop.show();
    QWidget& window = desktop.mainWindow();

    QStringList texts;
    const auto add = [&texts](const QString& text) {
        if (!text.trimmed().isEmpty())
            texts << shown(text);
    };
    for (QAction* action : desktop.mainWindow().menuBar()->actions()) {
        if (action->isVisible() && !action->isSeparator())
            add(action->text());
    }
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!inView(widget, &window) || qobject_cast<QMenuBar*>(widget))
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget))
            add(label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            add(button->text());
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            add(group->title());
        else if (auto* edit = qobject_cast<QLineEdit*>(widget);
            edit && !edit->parentWidget()->inherits("QComboBox"))
            add(edit->text());
        else if (auto* list = qobject_cast<QComboBox*>(widget))
            add(list->currentText());
        else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (tabs->isTabVisible(i))
                    add(tabs->tabText(i));
            }
        }
    }
    QTextStream out(stdout);
    for (const QString& text : texts)
        out << text << '\n';
    out.flush();
    return texts.isEmpty() ? 1 : 0;
}
