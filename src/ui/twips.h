// The windows' design sizes are in twips: 15 twips make one pixel at 96 dots per inch, scaled
// with the screen's logical DPI.
#pragma once

#include <cmath>

namespace lorvane {

inline int twipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / (15.0 * 96.0)));
}

}  // namespace lorvane
