// A freshly started calculator for tests that drive it as a user would: the
// start-up state, a recording of what it printed, and short ways to type and run.
#pragma once

#include "scenario/ScenarioRunner.h"
#include "shell/FormMain.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {

class StartedWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(runner.start()); }

    FormMain& form() { return runner.form(); }
    FieldStore& store() { return runner.form().store(); }
    std::string text(const std::string& name) { return store().text(name); }
    const std::vector<std::string>& logLines() { return store().items("ElFlatMemoMes"); }

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

    // Runs the lines of a scenario text and returns what they printed.
    std::string run(const std::string& lines)
    {
        out.str(std::string());
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line);)
            runner.runLine(line);
        return out.str();
    }

    // What has been printed since the last look (LOG and BOX events of direct calls).
    std::string events()
    {
        std::string printed = out.str();
        out.str(std::string());
        return printed;
    }

    std::ostringstream out;
    ScenarioRunner runner { out };
};

} // namespace millcalc
