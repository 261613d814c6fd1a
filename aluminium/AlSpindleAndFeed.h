// The aluminium spindle speed from the accepted cutting speed, and the table
// feed from feed per tooth, spindle speed and teeth, marked against the machine.
#pragma once

namespace millcalc {

class Form;

// n = V * 1000 / (3.1415926 * D) into Editn, green, red from MaxSpindleSpeed on.
int CalcAlSpindleSpeed(Form& form);
// F = Sz * n * z into EditF, green, red from MaxFeed on.
int CalcAlTableFeed(Form& form);

} // namespace millcalc
