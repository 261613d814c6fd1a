#include "materials/MaterialCatalogue.h"

#include "StartedWindow.h"
#include "scenario/ScenarioRunner.h"
#include "shell/FormMain.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace millcalc {
namespace {

struct GroupShape {
    const char* radioButton;
    Rgb caption;
    Rgb colour;
    std::size_t rows;
};

constexpr GroupShape kShapes[] = {
    { "RadioButton1", colours::Navy, colours::Blue, 7 },
    { "RadioButton2", colours::Fuchsia, colours::Purple, 4 },
    { "RadioButton3", colours::Red, colours::Red, 4 },
    { "RadioButton4", colours::Green, colours::Green, 2 },
    { "RadioButton5", colours::Olive, colours::Olive, 3 },
};

TEST(MaterialGroupCatalogue, HoldsTheFiveGroupsInTheOrderOfTheirButtons)
{
    ASSERT_EQ(MaterialGroupCatalogue.size(), std::size(kShapes));
    for (std::size_t i = 0; i < MaterialGroupCatalogue.size(); ++i) {
        const MaterialGroup& group = MaterialGroupCatalogue[i];
        EXPECT_EQ(group.radioButton, kShapes[i].radioButton);
        EXPECT_EQ(group.captionColour, kShapes[i].caption) << i;
        EXPECT_EQ(group.gridColour, kShapes[i].colour) << i;
        EXPECT_EQ(group.rows.size(), kShapes[i].rows) << i;
        // Eight rows under the heading are all the grid has.
        EXPECT_LE(group.rows.size(), 8u);
        for (const MaterialRow& row : group.rows) {
            EXPECT_FALSE(row.material.empty());
            EXPECT_FALSE(row.kc11.empty());
            EXPECT_FALSE(row.mc.empty());
            // Only steel carries the tensile strength.
            EXPECT_EQ(row.tensileStrength.empty(), i != 0) << row.material;
        }
    }
}

class MaterialPanel : public StartedWindow {
protected:
    std::string cell(int column, int row) { return store().cell("StringGridTab", column, row); }

    void expectGridShows(const MaterialGroup& group)
    {
        EXPECT_EQ(store().colour("StringGridTab"), group.gridColour);
        for (int row = 1; row < 9; ++row) {
            const std::size_t i = static_cast<std::size_t>(row - 1);
            const bool filled = i < group.rows.size();
            EXPECT_EQ(cell(0, row), filled ? group.rows[i].material : "") << row;
            EXPECT_EQ(cell(1, row), filled ? group.rows[i].tensileStrength : "") << row;
            EXPECT_EQ(cell(2, row), filled ? group.rows[i].kc11 : "") << row;
            EXPECT_EQ(cell(3, row), filled ? group.rows[i].mc : "") << row;
        }
        EXPECT_EQ(store().text("StaticTextMaterial"), group.rows[0].material);
    }
};

TEST_F(MaterialPanel, StartsWithTheNonFerrousGroupAndItsFirstRowDescribed)
{
    EXPECT_EQ(cell(0, 0), "Материал");
    EXPECT_EQ(cell(1, 0), "Rm (H/(mm*mm)");
    EXPECT_EQ(cell(2, 0), "kc1.1 (H/(mm*mm)");
    EXPECT_EQ(cell(3, 0), "Mc");
    EXPECT_TRUE(store().checked("RadioButton4"));
    expectGridShows(MaterialGroupCatalogue[3]);
    EXPECT_EQ(cell(2, 1), "700");
    EXPECT_EQ(cell(3, 2), "0.27");
    EXPECT_EQ(store().field("StringGridTab").currentRow, 1);
    EXPECT_EQ(store().text("StaticTextStMaterial"), "Цветные металлы (N)");
    EXPECT_FALSE(store().visible("PanelStMaterial"));
    EXPECT_EQ(out.str(), "");
}

TEST_F(MaterialPanel, ColoursEachGroupButtonsCaption)
{
    const Rgb expected[]
        = { colours::Navy, colours::Fuchsia, colours::Red, colours::Green, colours::Olive };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(store().colour("RadioButton" + std::to_string(i + 1)), expected[i]) << i + 1;
}

TEST_F(MaterialPanel, ShowsEachGroupWhenItsButtonIsChecked)
{
    // From the largest group down, so that rows left from before must be emptied.
    for (int i : { 0, 4, 1, 2, 3, 0 }) {
        run("check RadioButton" + std::to_string(i + 1) + " 1");
        expectGridShows(MaterialGroupCatalogue[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(cell(2, 5), "1900");
    EXPECT_EQ(cell(1, 7), ">1200");
}

TEST_F(MaterialPanel, IgnoresAButtonBeingUnchecked)
{
    run("check RadioButton1 1");
    run("check RadioButton1 0");
    EXPECT_EQ(store().colour("StringGridTab"), colours::Blue);
    EXPECT_EQ(cell(2, 7), "2900");
}

TEST_F(MaterialPanel, DescribesTheRowOfTheSelectedCell)
{
    run("check RadioButton3 1");
    for (int column = 0; column < 4; ++column) {
        run("select-cell StringGridTab " + std::to_string(column) + " 3");
        EXPECT_EQ(store().text("StaticTextMaterial"), MaterialGroupCatalogue[2].rows[2].material);
    }
    run("select-cell StringGridTab 2 7");
    EXPECT_EQ(store().text("StaticTextMaterial"), "");
}

TEST_F(MaterialPanel, TransfersTheSelectedRowAndHidesThePanel)
{
    run("click BitBtnStMaterial");
    ASSERT_TRUE(store().visible("PanelStMaterial"));
    run("check RadioButton1 1");
    run("select-cell StringGridTab 0 5");
    run("click BitBtnStMaterialOut");
    EXPECT_EQ(store().text("EditStKc11"), "1900");
    EXPECT_EQ(store().text("EditStMc"), "0.24");
    EXPECT_EQ(store().text("StaticTextStMaterial"), "Сталь (P)");
    EXPECT_FALSE(store().visible("PanelStMaterial"));
    EXPECT_EQ(out.str(), "");
}

TEST_F(MaterialPanel, FillingAGroupLeavesTheCurrentRowWhereItWas)
{
    run("check RadioButton1 1");
    run("select-cell StringGridTab 1 6");
    run("check RadioButton4 1");
    // The first N row is described, but row 6 is still the current one.
    EXPECT_EQ(store().text("StaticTextMaterial"), MaterialGroupCatalogue[3].rows[0].material);
    EXPECT_EQ(store().field("StringGridTab").currentRow, 6);
    run("click BitBtnStMaterialOut");
    EXPECT_EQ(store().text("EditStKc11"), "");
    EXPECT_EQ(store().text("EditStMc"), "");
    EXPECT_EQ(store().text("StaticTextStMaterial"), "Цветные металлы (N)");
}

TEST_F(MaterialPanel, TransfersAnEmptyGroupNameWhenNoButtonIsChecked)
{
    run("check RadioButton4 0");
    run("click BitBtnStMaterialOut");
    EXPECT_EQ(store().text("StaticTextStMaterial"), "");
    // Row 1 of the group N still shown.
    EXPECT_EQ(store().text("EditStKc11"), "700");
    EXPECT_EQ(store().text("EditStMc"), "0.25");
}

TEST_F(MaterialPanel, KeepsItsStateWhileHidden)
{
    run("click N22");
    run("check RadioButton5 1");
    run("select-cell StringGridTab 0 3");
    run("close PanelStMaterial");
    run("click N19");
    EXPECT_TRUE(store().visible("PanelStMaterial"));
    EXPECT_TRUE(store().checked("RadioButton5"));
    EXPECT_EQ(store().field("StringGridTab").currentRow, 3);
    EXPECT_EQ(cell(0, 3), "Титановые сплавы, Ti-6Al-4V");
}

} // namespace
} // namespace millcalc
