// The nomogram window: the selected machine's power and torque curves with the
// operating point, under a toolbar with "Закрыть" and "Очистить".
#pragma once

#include <QWidget>

namespace millcalc {

class GraphicWindow : public QWidget {
    Q_OBJECT
public:
    explicit GraphicWindow(QWidget* owner);
};

} // namespace millcalc
