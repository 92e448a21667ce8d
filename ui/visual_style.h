// The themed look of the program's controls.
#pragma once

namespace corvanel {

// Scheme 1 (blue), 2 (olive green) or 3 (silver); any other number switches
// the themed look off.
void ApplyVisualStyle(int scheme);

}  // namespace corvanel
