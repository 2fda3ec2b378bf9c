#pragma once
// How the browser control follows the window: it stays at 0, 0 and is 100
// twips smaller each way than the window's outer size (frame and caption
// included), so where the frame takes more than that the control reaches past
// the client area and the window clips the strip.

namespace kestrun {

struct TwipSize {
    float width;
    float height;
};

TwipSize controlSizeFor(TwipSize outer);

}  // namespace kestrun
