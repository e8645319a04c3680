#include "settings/key_name.hpp"

const char* fixed_key_name(uint16_t vk)
{
    // Mouse buttons have no layout name, and the layout would not tell left from right
    // modifiers apart.
    switch (vk) {
    case 0x01: return "Mouse 1";
    case 0x02: return "Mouse 2";
    case 0x04: return "Mouse 3";
    case 0x05: return "Mouse 4";
    case 0x06: return "Mouse 5";
    case 0x1B: return "Esc";
    case 0xA0: return "Left Shift";
    case 0xA1: return "Right Shift";
    case 0xA2: return "Left Ctrl";
    case 0xA3: return "Right Ctrl";
    case 0xA4: return "Left Alt";
    case 0xA5: return "Right Alt";
    default: return nullptr;
    }
}

long key_name_lparam(uint16_t vk, unsigned scan_code_ex)
{
    long lparam = static_cast<long>(scan_code_ex & 0xFF) << 16;
    // Without the extended bit the layout names the cursor block keys after the numeric pad
    // keys that share their scan codes ("Num 8" for the up arrow).
    const bool extended = ((scan_code_ex >> 8) & 0xFF) == 0xE0 || (vk >= 33 && vk <= 40) || vk == 45 ||
                          vk == 46 || vk == 111 || vk == 144;
    if (extended) lparam |= 1L << 24;
    return lparam;
}
