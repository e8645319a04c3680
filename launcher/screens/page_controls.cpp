#include "screens/pages.hpp"
#include "screens/widgets.hpp"

void draw_controls_page(LauncherState&) {
    float y = 34.0f;
    page_header("CONTROLS", "Keyboard, mouse and controller all work together; whichever you use answers.", y);
}
