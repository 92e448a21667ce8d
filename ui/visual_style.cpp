#include "ui/visual_style.h"

namespace corvanel {

// The controls keep the platform's own look for now.
void ApplyVisualStyle(int) {}

}  // namespace corvanel
