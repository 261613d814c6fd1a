// A freshly started calculator for the Walter tests, with the results window
// shown as it is whenever a user can reach the step buttons.
#pragma once

#include "app/Main.h"
#include "tools/ScenarioRunner.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>

namespace millcalc {

class WalterFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runner.start());
        store().setVisible("PanelCalc", true);
        out.str(std::string());
    }

    FormMain& form() { return runner.form(); }
    FieldStore& store() { return runner.form().store(); }
    std::string text(const std::string& name) { return store().text(name); }

    // Types the texts into their fields, as the user would, without running anything.
    void type(std::initializer_list<std::pair<const char*, const char*>> texts)
    {
        for (const auto& [name, value] : texts)
            store().setText(name, value);
    }

    // Runs scenario lines and returns what they printed.
    std::string run(std::initializer_list<const char*> lines)
    {
        out.str(std::string());
        for (const char* line : lines)
            runner.runLine(line);
        return out.str();
    }

    // What has been printed since the last run (LOG and BOX events of direct calls).
    std::string events()
    {
        std::string printed = out.str();
        out.str(std::string());
        return printed;
    }

    std::ostringstream out;
    ScenarioRunner runner { out };
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
