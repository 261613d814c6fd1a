#include "cutters/ToolTable.h"

#include "app/NumberText.h"

#include <algorithm>

namespace millcalc {

std::string linuxCncToolTable(const std::vector<Cutter>& cutters)
{
    int highest = 0;
    for (const Cutter& c : cutters) {
        if (!c.hidden && c.toolNumber)
            highest = std::max(highest, *c.toolNumber);
    }
    std::string table;
    for (const Cutter& c : cutters) {
        if (c.hidden)
            continue;
        const int number = c.toolNumber ? *c.toolNumber : ++highest;
        // The comment runs to the line's end: a line break in a name would
        // start a line LinuxCNC cannot read.
        std::string comment = c.name;
        std::replace_if(
            comment.begin(), comment.end(), [](char ch) { return ch == '\n' || ch == '\r'; }, ' ');
        table += "T" + formatWhole(number) + " P" + formatWhole(number) + " D"
            + formatGeneral(c.dMm, 6) + " Z0 ;" + comment + "\n";
    }
    return table;
}

} // namespace millcalc
