// A private folder for one cutter test, with the user's and the shop's data
// folders in it, so that no file of the user running the tests counts.
#pragma once

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace millcalc {

class CutterTestFolder : public testing::Test, protected support::ScratchFolder {
protected:
    CutterTestFolder()
        : ScratchFolder("cutters")
    {
    }

    std::string userFile() const { return "home/millcalc/cutters.json"; }
    std::string shopFile() const { return "shop/millcalc/cutters.json"; }

    UserFolders folders_ = folders();
};

inline std::string sample(const std::string& relative)
{
    return std::string(MILLCALC_CUTTER_SAMPLES) + "/" + relative;
}

} // namespace millcalc
