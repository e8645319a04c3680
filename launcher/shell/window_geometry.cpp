#include "shell/window_geometry.hpp"

#include <algorithm>

WindowGeometry compute_window_geometry(int dpi, const ScreenRect& work_area, const ScreenRect& frame)
{
    if (dpi <= 0) dpi = 96;
    WindowGeometry g;
    // The window must fit the work area with a margin, so a small screen can take it below 1.
    g.ui_scale = std::min({dpi / 96.0f,
                           (work_area.width() - 40) / float(layout_width),
                           (work_area.height() - 80) / float(layout_height)});
    g.client_width = int(layout_width * g.ui_scale);
    g.client_height = int(layout_height * g.ui_scale);

    const int window_width = g.client_width + (frame.right - frame.left);
    const int window_height = g.client_height + (frame.bottom - frame.top);
    g.window.left = work_area.left + (work_area.width() - window_width) / 2;
    g.window.top = work_area.top + (work_area.height() - window_height) / 2;
    g.window.right = g.window.left + window_width;
    g.window.bottom = g.window.top + window_height;
    return g;
}
