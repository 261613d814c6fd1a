// The result pages of the floating results window, one per method and the blank
// fourth page.
#pragma once

class QWidget;

namespace millcalc {

QWidget* createWalterResultPage();
QWidget* createAluminiumResultPage();
QWidget* createTitaniumResultPage();
QWidget* createBlankResultPage();

} // namespace millcalc
