// A freshly started calculator on the aluminium pages for the aluminium tests:
// the start-up inputs (D 25, z 3, B 15, t 5, В95пчТ2, "...<=1.25", 0.70) on
// machine row 0, the results window shown.
#pragma once

#include "StartedWindow.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace millcalc::altest {

class AluminiumWindow : public StartedWindow {
protected:
    void SetUp() override
    {
        StartedWindow::SetUp();
        runner.runLine("pick PageControlMethods 1");
        store().setVisible("PanelCalc", true);
        out.str(std::string());
    }

    // Offers the speeds in EditV's list and selects the first, as the full
    // calculation leaves it.
    void offerSpeeds(std::vector<std::string> speeds)
    {
        store().setItems("EditV", std::move(speeds));
        store().setIndex("EditV", 0);
    }

    int countLog(const std::string& line)
    {
        int count = 0;
        for (const std::string& l : logLines())
            count += l == line ? 1 : 0;
        return count;
    }

    // The texts of every row of a grid, cells joined by " | ".
    std::vector<std::string> gridRows(const std::string& name)
    {
        const Field& grid = store().field(name);
        std::vector<std::string> rows;
        for (int row = 0; row < grid.rows; ++row) {
            std::string joined;
            for (int column = 0; column < grid.columns; ++column)
                joined += (column > 0 ? " | " : "") + store().cell(name, column, row);
            rows.push_back(joined);
        }
        return rows;
    }
};

inline std::string logEvent(const std::string& text)
{
    return "LOG\t" + escapeText(text) + "\n";
}

inline std::string boxEvent(const std::string& text, const std::string& caption = kWarningCaption)
{
    return "BOX\t" + escapeText(caption) + "\t" + escapeText(text) + "\n";
}

inline constexpr Rgb kGreen = colours::Green;
inline constexpr Rgb kRed = colours::Red;

} // namespace millcalc::altest
