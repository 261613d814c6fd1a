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
        // Appended piece by piece: g++ 12 at -O3 takes a literal + a string
        // for an overlapping copy (-Wrestrict).
        table.append("T").append(formatWhole(number)).append(" P").append(formatWhole(number));
        table.append(" D").append(formatGeneral(c.dMm, 6)).append(" Z0 ;").append(comment);
        table.append("\n");
    }
    return table;
}

} // namespace millcalc
