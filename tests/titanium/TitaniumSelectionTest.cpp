#include "StartedWindow.h"
#include "scenario/ScenarioRunner.h"
#include "shell/FormMain.h"
#include "titanium/Titanium.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace millcalc {
namespace {

class TitaniumSelection : public StartedWindow {
protected:
    std::vector<std::string> results()
    {
        std::vector<std::string> texts;
        for (const char* name : { "EditTifz", "EditTiVc", "EditTin", "EditTiF", "EditTiPx",
                 "EditTiPy", "EditTiP", "EditTiMz", "EditTiNct", "EditTiVsmall", "EditTinsmall",
                 "EditTiFsmall", "EditTiNctsmall", "EditTiPxcoeff", "EditTiPycoeff" }) {
            texts.push_back(store().text(name) + "/" + std::to_string(store().colour(name)));
        }
        return texts;
    }
};

TEST_F(TitaniumSelection, StartsWithTheFirstPicturesAndTheVT20Coefficients)
{
    EXPECT_EQ(store().text("EditTiPxcoeff"), "3850.");
    EXPECT_EQ(store().text("EditTiPycoeff"), "1040.");
    for (const char* picture :
        { "ImageTiVbase", "ImageSurface", "ImageDirection", "ImageTiVsmall" })
        EXPECT_EQ(store().picture(picture), 0) << picture;
    EXPECT_EQ(store().index("RadioGroupTiPz"), 1);
    EXPECT_EQ(store().colour("EditTifz"), colours::Green);
    EXPECT_EQ(store().colour("EditTiPy"), colours::Green);
    EXPECT_EQ(store().colour("EditTiPx"), colours::Black);
    EXPECT_EQ(store().colour("EditTiP"), colours::Black);
    EXPECT_EQ(store().text("EditTiP"), "0.00000");
    EXPECT_EQ(store().text("BaseTiD"), "25.0");
    EXPECT_EQ(store().text("ComboBoxTiMaterial"), "ВТ20");
    EXPECT_TRUE(store().items("ElFlatMemoMes").empty());
}

TEST_F(TitaniumSelection, AlloyChangeSwitchesFormulaPictureAndForceCoefficients)
{
    run("pick ComboBoxTiMaterial 2");
    EXPECT_EQ(store().picture("ImageTiVbase"), 2);
    EXPECT_EQ(store().text("EditTiPxcoeff"), "11480.");
    EXPECT_EQ(store().text("EditTiPycoeff"), "8570.");
    run("pick ComboBoxTiMaterial 1");
    EXPECT_EQ(store().picture("ImageTiVbase"), 1);
    EXPECT_EQ(store().text("EditTiPxcoeff"), "3850.");
    EXPECT_EQ(store().text("EditTiPycoeff"), "1040.");
}

TEST_F(TitaniumSelection, NoAlloySelectedTakesTheVT6CoefficientsAndKeepsThePicture)
{
    run("pick ComboBoxTiMaterial 1");
    store().setIndex("ComboBoxTiMaterial", -1);
    ComboBoxTiMaterialChange(runner.form());
    EXPECT_EQ(store().picture("ImageTiVbase"), 1);
    EXPECT_EQ(store().text("EditTiPxcoeff"), "11480.");
    EXPECT_EQ(store().text("EditTiPycoeff"), "8570.");
}

TEST_F(TitaniumSelection, SurfaceAndDirectionSwitchTheirPictures)
{
    run("pick RadioGroupTiSurface 2");
    EXPECT_EQ(store().picture("ImageSurface"), 2);
    run("pick RadioGroupTiSurface 1");
    EXPECT_EQ(store().picture("ImageSurface"), 1);
    run("pick RadioGroupTiDirection 1");
    EXPECT_EQ(store().picture("ImageDirection"), 1);
    EXPECT_EQ(store().picture("ImageTiVsmall"), 1);
    run("pick RadioGroupTiDirection 0");
    EXPECT_EQ(store().picture("ImageDirection"), 0);
    EXPECT_EQ(store().picture("ImageTiVsmall"), 0);
}

TEST_F(TitaniumSelection, ProgramSelectionRunsNoHandler)
{
    store().setIndex("ComboBoxTiMaterial", 2);
    EXPECT_EQ(store().text("EditTiPxcoeff"), "3850.");
    EXPECT_EQ(store().picture("ImageTiVbase"), 0);
}

TEST_F(TitaniumSelection, ChangingASelectionRecomputesNothing)
{
    run("pick PageControlParam 2");
    run("click BitCalcs");
    std::vector<std::string> before = results();
    for (const char* line : { "pick RadioGroupTiMaterial 1", "pick RadioGroupTiSurface 2",
             "pick RadioGroupTiSkin 1", "pick RadioGroupTiCoolnt 1", "pick RadioGroupTiDirection 1",
             "pick RadioGroupTiTypeDetal 2", "pick ComboBoxTiTime 0", "pick TabMach 1" }) {
        EXPECT_EQ(run(line), "") << line;
        EXPECT_EQ(results(), before) << line;
    }
    // The alloy changes the coefficient texts only.
    run("pick ComboBoxTiMaterial 2");
    before[13] = "11480./0";
    before[14] = "8570./0";
    EXPECT_EQ(results(), before);
}

TEST_F(TitaniumSelection, PzChoiceMovesTheGreenMarkOnly)
{
    run("pick PageControlParam 2");
    run("click BitCalcs");
    const std::string torque = store().text("EditTiMz");
    const std::string power = store().text("EditTiNct");
    struct Mark {
        int choice;
        const char* green;
    };
    for (const Mark m : { Mark { 0, "EditTiPx" }, Mark { 2, "EditTiP" }, Mark { 1, "EditTiPy" } }) {
        EXPECT_EQ(run("pick RadioGroupTiPz " + std::to_string(m.choice)), "");
        for (const char* force : { "EditTiPx", "EditTiPy", "EditTiP" })
            EXPECT_EQ(store().colour(force),
                std::string(force) == m.green ? colours::Green : colours::Black)
                << force << " with choice " << m.choice;
        EXPECT_EQ(store().text("EditTiMz"), torque);
        EXPECT_EQ(store().colour("EditTiMz"), colours::Green); // Py's 7.40 N·m, as computed
        EXPECT_EQ(store().text("EditTiNct"), power);
    }
}

} // namespace
} // namespace millcalc
