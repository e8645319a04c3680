#include "screens/pages.hpp"
#include "screens/widgets.hpp"

void draw_video_page(LauncherState&) {
    float y = 34.0f;
    page_header("VIDEO", "How the game is shown: the window, the 3D resolution and the frame rate.", y);
}
