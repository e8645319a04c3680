#include <gtest/gtest.h>

#include "shell/window_geometry.hpp"

namespace {
// The border a captioned, fixed-size window gets at 96 DPI on a typical desktop.
const ScreenRect frame_96{-3, -26, 3, 3};

struct GeometryCase {
    int dpi;
    ScreenRect work_area;
    float scale;
    int client_width, client_height;
};

class WindowGeometryTest : public testing::TestWithParam<GeometryCase> {};

TEST_P(WindowGeometryTest, ScaleAndClientSize)
{
    const GeometryCase& c = GetParam();
    const WindowGeometry g = compute_window_geometry(c.dpi, c.work_area, frame_96);
    EXPECT_FLOAT_EQ(g.ui_scale, c.scale);
    EXPECT_EQ(g.client_width, c.client_width);
    EXPECT_EQ(g.client_height, c.client_height);
    EXPECT_EQ(g.window.width(), c.client_width + 6);
    EXPECT_EQ(g.window.height(), c.client_height + 29);
}

INSTANTIATE_TEST_SUITE_P(
    Monitors, WindowGeometryTest,
    testing::Values(GeometryCase{96, {0, 0, 1920, 1040}, 1.0f, 1180, 740},          // DPI term
                    GeometryCase{144, {0, 0, 2560, 1400}, 1.5f, 1770, 1110},        // DPI term at 150 %
                    GeometryCase{96, {0, 0, 1280, 680}, 600.0f / 740, 956, 600},    // height term, below 1
                    GeometryCase{192, {0, 0, 1600, 2000}, 1560.0f / 1180, 1560, 978},  // width term
                    GeometryCase{0, {0, 0, 1920, 1080}, 1.0f, 1180, 740}));         // no DPI reading

TEST(WindowGeometry, CentredInTheWorkAreaRoundingTowardZero)
{
    // A work area that does not start at the origin (task bar on the left and top).
    const WindowGeometry g = compute_window_geometry(96, {100, 50, 1421, 1100}, frame_96);
    // window 1186 x 769; free space 135 x 281: halves 67 and 140
    EXPECT_EQ(g.window.left, 100 + 67);
    EXPECT_EQ(g.window.top, 50 + 140);
    EXPECT_EQ(g.window.right, 100 + 67 + 1186);
    EXPECT_EQ(g.window.bottom, 50 + 140 + 769);
}
}  // namespace
