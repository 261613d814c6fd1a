// A freshly started calculator for the Walter tests, with the results window
// shown as it is whenever a user can reach the step buttons.
#pragma once

#include "StartedWindow.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>

namespace millcalc {

class WalterFixture : public StartedWindow {
protected:
    void SetUp() override
    {
        StartedWindow::SetUp();
        store().setVisible("PanelCalc", true);
        out.str(std::string());
    }
};

inline std::string logEvent(const std::string& text)
{
    return "LOG\t" + escapeText(text) + "\n";
}

inline std::string boxEvent(const std::string& text)
{
    return std::string("BOX\t") + kWarningCaption + "\t" + escapeText(text) + "\n";
}

} // namespace millcalc
