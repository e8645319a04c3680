#include "shell/key_capture.hpp"

namespace {
// Message and key numbers of the Windows API, spelled out so this file needs no <windows.h>.
constexpr unsigned msg_keydown = 0x0100, msg_syskeydown = 0x0104;
constexpr unsigned msg_lbuttondown = 0x0201, msg_rbuttondown = 0x0204;
constexpr unsigned msg_mbuttondown = 0x0207, msg_xbuttondown = 0x020B;
constexpr uint16_t vk_shift = 0x10, vk_control = 0x11, vk_menu = 0x12;
constexpr uint16_t vk_lcontrol = 0xA2, vk_rcontrol = 0xA3, vk_lmenu = 0xA4, vk_rmenu = 0xA5;
constexpr int64_t extended_key_bit = int64_t(1) << 24;
}  // namespace

uint16_t captured_code(unsigned message, uint64_t wparam, int64_t lparam, ShiftFromScanCode shift_from_scan)
{
    switch (message) {
    case msg_lbuttondown: return 1;
    case msg_rbuttondown: return 2;
    case msg_mbuttondown: return 4;
    case msg_xbuttondown: return ((wparam >> 16) & 0xFFFF) == 1 ? 5 : 6;
    case msg_keydown:
    case msg_syskeydown: {
        // The game tells left and right modifiers apart, so the binding must too.
        uint16_t vk = uint16_t(wparam & 0xFFFF);
        const bool extended = (lparam & extended_key_bit) != 0;
        if (vk == vk_menu) return extended ? vk_rmenu : vk_lmenu;
        if (vk == vk_control) return extended ? vk_rcontrol : vk_lcontrol;
        if (vk == vk_shift) return shift_from_scan ? shift_from_scan(unsigned((lparam >> 16) & 0xFF)) : 0;
        return vk;
    }
    default: return 0;
    }
}
