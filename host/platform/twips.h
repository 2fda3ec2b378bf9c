#pragma once
// Window and control sizes are kept in twips, 15 to a logical pixel.

#include <cmath>

namespace kestrun {

constexpr int twipsPerPixel = 15;

constexpr float pixelsToTwips(int pixels) { return static_cast<float>(pixels * twipsPerPixel); }

// Nearest whole pixel; a size never goes below zero.
inline int twipsToPixels(float twips) {
    const float pixels = std::round(twips / static_cast<float>(twipsPerPixel));
    return pixels > 0 ? static_cast<int>(pixels) : 0;
}

}  // namespace kestrun
