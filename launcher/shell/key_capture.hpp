// Turning a window message into the code of a key binding while the player rebinds a
// key. Pure, so the side-specific modifier rules are tested without a window.
#pragma once

#include <cstdint>

// Maps a keyboard scan code to the left or right Shift virtual-key code
// (MapVirtualKeyW with MAPVK_VSC_TO_VK_EX on Windows).
using ShiftFromScanCode = uint16_t (*)(unsigned scan_code);

// The binding code a message carries during a capture, or 0 when the message is not
// caught and must go on to the GUI.
uint16_t captured_code(unsigned message, uint64_t wparam, int64_t lparam, ShiftFromScanCode shift_from_scan);
