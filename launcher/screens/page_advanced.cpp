#include "screens/pages.hpp"
#include "screens/widgets.hpp"

void draw_advanced_page(LauncherState&) {
    float y = 34.0f;
    page_header("ADVANCED", "The launcher's background, logs and folders.", y);
}
