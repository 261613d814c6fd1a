// Results that no longer follow from the inputs (shell/StaleResults) shown in
// italics, with a tooltip that asks for "Расчет"; their colours unchanged.
#pragma once

#include "shell/StaleResults.h"

#include <QObject>

class QWidget;

namespace millcalc {

class Form;

inline constexpr const char* kStaleTip
    = "Исходные данные изменились после расчета: нажмите «Расчет», чтобы обновить";

class StaleMarks : public QObject {
public:
    StaleMarks(Form& form, QWidget* main);

    // Marks the results as they stand now: at each change of what is stale,
    // and by whoever builds a window that shows results.
    void apply();

private:
    StaleResults stale_;
    QWidget* main_;
};

} // namespace millcalc
