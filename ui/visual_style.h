// The themed look of the program's controls: push buttons, group boxes,
// edit boxes, combo boxes and their drop-down lists, drawn in one of three
// colour schemes.
#pragma once

namespace corvanel {

// Scheme 1 (blue), 2 (olive green) or 3 (silver) switches the look on for
// every window of those kinds the thread has created and creates from now
// on, a notice's buttons included, and redraws them; any other number
// switches it off and gives them back the platform's look.
void ApplyVisualStyle(int scheme);

// The scheme in force, 0 when the look is off.
int ActiveVisualStyle();

}  // namespace corvanel
