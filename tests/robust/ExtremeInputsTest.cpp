#include "scenario/ScenarioRunner.h"
#include "support/SessionChecks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace millcalc::robust {
namespace {

struct Method {
    int page;
    std::vector<std::string> fields; // inputs and the results a later step reads
    std::vector<std::string> steps; // buttons that run one step
};

const std::vector<Method>& methods()
{
    static const std::vector<Method> kMethods {
        { 0,
            { "BaseD", "BaseZ", "BaseB", "BaseT", "BaseVc", "Basefz", "EditStk", "EditStGamma0",
                "EditStKc11", "EditStMc", "EditStn", "EditStVf", "EditSthm2", "EditStKc",
                "EditStfz" },
            { "BitBtnSt1", "BitBtnSt4", "BitBtnSt2", "BitBtnSt3", "BitBtnSt5", "Image9",
                "Image10" } },
        { 1,
            { "BaseAlD", "BaseAlZ", "BaseAlB", "BaseAlT", "EditSz", "Editn", "EditF", "EditPz",
                "EditMz", "EditTkoef1", "EditTX1", "EditTY1", "EditTZ1", "EditTKs", "EditTkoef2",
                "EditTX2", "EditTY2", "EditTZ2", "EditTkoef3", "EditTX3", "EditTY3", "EditTZ3",
                "EditTsm1", "EditTkoef4", "EditTX4", "EditTY4", "EditTZ4", "EditTsm2" },
            { "BitBtn1fz", "BitBtn2V1", "BitBtn3V2", "BitBtn4P", "BitBtnAln1", "BitBtnAlF1",
                "BitBtnAlTm1", "BitBtnAlPz1", "BitBtnAlMz1", "BitBtnAlNp1" } },
        { 2,
            { "BaseTiD", "BaseTiZ", "BaseTiB", "BaseTiT", "BaseTiL", "BaseTihz", "EditTiPxcoeff",
                "EditTiPycoeff" },
            {} },
    };
    return kMethods;
}

// Texts at and beyond the ends of the numbers, and texts that hold none.
const std::vector<std::string>& extremeTexts()
{
    static const std::vector<std::string> kTexts { "1e308", "-1e308", "1e-308", "1e999",
        "1.7976931348623157e308", "4.9e-324", "abc", "", "0", "-5", "99999999999",
        std::string(10000, '9'), "0.0001" };
    return kTexts;
}

class ExtremeInputs : public ::testing::Test {
protected:
    // Runs the lines on a fresh window; returns the first fault, or "".
    std::string play(const std::vector<std::string>& lines)
    {
        std::ostringstream out;
        ScenarioRunner runner(out);
        if (!runner.start())
            return "start-up failed";
        SessionChecks checks(runner.form().store());
        for (const std::string& line : lines) {
            // A stopped calculation leaves fewer candidate speeds to pick.
            if (line.rfind("pick EditV ", 0) == 0
                && std::stoul(line.substr(11)) >= runner.form().store().items("EditV").size())
                continue;
            out.str(std::string());
            if (line.rfind("set ", 0) == 0)
                checks.userTyped(line.substr(line.find(' ', 4) + 1));
            runner.runLine(line);
            std::string fault = checks.checkOutput(out.str());
            if (fault.empty())
                fault = checks.checkFields(runner.form().store());
            if (!fault.empty())
                return "after \"" + line.substr(0, 80) + "\": " + fault;
        }
        return std::string();
    }

    static std::vector<std::string> calculateAndStep(const Method& m)
    {
        std::vector<std::string> lines { "click BitCalcs" };
        for (const std::string& step : m.steps)
            lines.push_back("click " + step);
        if (m.page == 1) {
            // A pick of each candidate speed reruns the steps that depend on it.
            lines.push_back("click BitCalcs");
            for (int item = 0; item < 3; ++item)
                lines.push_back("pick EditV " + std::to_string(item));
        }
        lines.push_back("click BitBtnGraphic");
        return lines;
    }
};

TEST_F(ExtremeInputs, InAnyOneFieldNeverShowANumberThatIsNotFinite)
{
    for (const Method& m : methods()) {
        for (const std::string& field : m.fields) {
            for (const std::string& text : extremeTexts()) {
                std::vector<std::string> lines { "pick PageControlParam " + std::to_string(m.page),
                    "set " + field + " " + text };
                for (const std::string& line : calculateAndStep(m))
                    lines.push_back(line);
                EXPECT_EQ(play(lines), "") << field << " = " << text.substr(0, 20);
            }
        }
    }
}

TEST_F(ExtremeInputs, InEveryFieldAtOnceNeverShowANumberThatIsNotFinite)
{
    for (const Method& m : methods()) {
        for (const std::string& text : extremeTexts()) {
            std::vector<std::string> lines { "pick PageControlParam " + std::to_string(m.page) };
            for (const std::string& field : m.fields)
                lines.push_back("set " + field + " " + text);
            for (const std::string& line : calculateAndStep(m))
                lines.push_back(line);
            // Once more with what the first run corrected.
            for (const std::string& line : calculateAndStep(m))
                lines.push_back(line);
            EXPECT_EQ(play(lines), "") << "page " << m.page << ": " << text.substr(0, 20);
        }
    }
}

TEST_F(ExtremeInputs, OnEveryMachineNeverShowANumberThatIsNotFinite)
{
    for (const Method& m : methods()) {
        for (int machine = 0; machine < 5; ++machine) {
            for (const bool largeInputs : { true, false }) {
                std::vector<std::string> lines { "pick PageControlParam " + std::to_string(m.page),
                    "pick TabMach " + std::to_string(machine) };
                for (const std::string& field : m.fields) {
                    // Large inputs with small coefficients and the other way round.
                    const bool coefficient = field.rfind("EditT", 0) == 0;
                    lines.push_back(
                        "set " + field + " " + (coefficient != largeInputs ? "1e308" : "1e-308"));
                }
                for (const std::string& line : calculateAndStep(m))
                    lines.push_back(line);
                EXPECT_EQ(play(lines), "") << "page " << m.page << ", machine " << machine;
            }
        }
    }
}

} // namespace
} // namespace millcalc::robust
