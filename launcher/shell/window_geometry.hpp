// Size and place of the launcher's fixed-size window, decided once at start from the
// primary monitor. Kept free of Windows so the rule can be tested on its own.
#pragma once

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// The layout every screen position is given in; the window is this × ui_scale.
constexpr int layout_width = 1180;
constexpr int layout_height = 740;

struct WindowGeometry {
    float ui_scale = 1.0f;
    int client_width = 0, client_height = 0;
    ScreenRect window;  // outer rectangle, centred in the work area
};

// frame: the window's non-client border as a rectangle around a client area at (0,0)
// (what AdjustWindowRectExForDpi makes of an empty rectangle: left/top <= 0, right/bottom >= 0).
// dpi <= 0 counts as 96.
WindowGeometry compute_window_geometry(int dpi, const ScreenRect& work_area, const ScreenRect& frame);
