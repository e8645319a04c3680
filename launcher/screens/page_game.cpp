#include "screens/pages.hpp"
#include "screens/widgets.hpp"

void draw_game_page(LauncherState&) {
    float y = 34.0f;
    page_header("GAME", "Your copy of the game, its language and the launcher itself.", y);
}
