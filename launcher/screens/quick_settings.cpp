// The six options of the HOME page's quick-settings grid, under "QUICK SETTINGS".
#include "screens/pages.hpp"

void draw_quick_settings(LauncherState&) {}
