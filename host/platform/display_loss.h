#pragma once
// The end of the connection to the display (the X server ended, the session
// logged out). The toolkit then ends the program on the spot, without the
// window's close; this lets the program tidy up first.

#include <functional>

namespace kestrun {

// `lost` runs once when the connection to the display breaks; the program
// ends right after it. It must not touch the display. Only an X display
// reports this; elsewhere nothing is set up.
void onDisplayLost(std::function<void()> lost);

}  // namespace kestrun
