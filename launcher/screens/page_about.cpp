#include "screens/pages.hpp"
#include "screens/widgets.hpp"

void draw_about_page(LauncherState&) {
    float y = 34.0f;
    page_header("ABOUT", "The Vandrels for the original Xbox, running natively on PC.", y);
}
