// The three input pages of the main window's page control, one per method.
#pragma once

class QWidget;

namespace millcalc {

QWidget* createWalterInputPage();
QWidget* createAluminiumInputPage();
QWidget* createTitaniumInputPage();

} // namespace millcalc
