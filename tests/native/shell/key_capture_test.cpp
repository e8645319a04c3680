#include <gtest/gtest.h>

#include "shell/key_capture.hpp"

namespace {
constexpr unsigned WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_SYSKEYDOWN = 0x0104, WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202, WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_MBUTTONDOWN = 0x0207, WM_MOUSEWHEEL = 0x020A, WM_XBUTTONDOWN = 0x020B;
constexpr int64_t extended = int64_t(1) << 24;

int64_t scan(unsigned code) { return int64_t(code) << 16; }

// The US layout's answer for the two Shift scan codes.
uint16_t us_shift(unsigned scan_code) { return scan_code == 0x36 ? 0xA1 : scan_code == 0x2A ? 0xA0 : 0; }

struct CaptureCase {
    const char* what;
    unsigned message;
    uint64_t wparam;
    int64_t lparam;
    uint16_t expected;
};

class KeyCaptureTest : public testing::TestWithParam<CaptureCase> {};

TEST_P(KeyCaptureTest, CodeOfMessage)
{
    const CaptureCase& c = GetParam();
    EXPECT_EQ(captured_code(c.message, c.wparam, c.lparam, us_shift), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, KeyCaptureTest,
    testing::Values(CaptureCase{"left button", WM_LBUTTONDOWN, 0, 0, 1},
                    CaptureCase{"right button", WM_RBUTTONDOWN, 0, 0, 2},
                    CaptureCase{"middle button", WM_MBUTTONDOWN, 0, 0, 4},
                    CaptureCase{"fourth button", WM_XBUTTONDOWN, 1u << 16, 0, 5},
                    CaptureCase{"fifth button", WM_XBUTTONDOWN, 2u << 16, 0, 6},
                    CaptureCase{"right Ctrl", WM_KEYDOWN, 0x11, scan(0x1D) | extended, 0xA3},
                    CaptureCase{"left Ctrl", WM_KEYDOWN, 0x11, scan(0x1D), 0xA2},
                    CaptureCase{"left Alt", WM_SYSKEYDOWN, 0x12, scan(0x38), 0xA4},
                    CaptureCase{"right Alt", WM_SYSKEYDOWN, 0x12, scan(0x38) | extended, 0xA5},
                    CaptureCase{"right Shift", WM_KEYDOWN, 0x10, scan(0x36), 0xA1},
                    CaptureCase{"left Shift", WM_KEYDOWN, 0x10, scan(0x2A), 0xA0},
                    CaptureCase{"W", WM_KEYDOWN, 0x57, scan(0x11), 0x57},
                    CaptureCase{"Esc is caught like any key", WM_KEYDOWN, 27, scan(0x01), 27},
                    CaptureCase{"F10 as a system key", WM_SYSKEYDOWN, 0x79, scan(0x44), 0x79},
                    CaptureCase{"only the low word is the key", WM_KEYDOWN, 0xABCD0041, 0, 0x41},
                    CaptureCase{"key code 0 goes on", WM_KEYDOWN, 0, 0, 0},
                    CaptureCase{"key release goes on", WM_KEYUP, 0x57, 0, 0},
                    CaptureCase{"button release goes on", WM_LBUTTONUP, 0, 0, 0},
                    CaptureCase{"mouse move goes on", WM_MOUSEMOVE, 0, 0, 0},
                    CaptureCase{"wheel goes on", WM_MOUSEWHEEL, 120u << 16, 0, 0}));

TEST(KeyCapture, ShiftWithoutLayoutAnswerIsNotCaught)
{
    EXPECT_EQ(captured_code(WM_KEYDOWN, 0x10, scan(0x77), us_shift), 0);
}
}  // namespace
