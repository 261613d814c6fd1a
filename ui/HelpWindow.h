// The designations window "Обозначения": the scheme of the cutting parameters
// and their letters, shown from the main window and hidden by its close box.
#pragma once

#include <QWidget>

namespace millcalc {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);
};

} // namespace millcalc
