// Display text of a virtual-key code in the bindings list.
#pragma once

#include <cstdint>
#include <string>

// UTF-8 name of a non-zero code: fixed names for the mouse buttons, Esc and the left/right
// modifier keys, else the keyboard layout's own name, else "Key <code>". Windows only.
std::string key_name(uint16_t vk);

// --- Portable parts, tested natively ---

// The fixed name of a code, or nullptr when the keyboard layout should be asked.
const char* fixed_key_name(uint16_t vk);

// Key-message parameter that makes the layout name the key: the scan code's low byte in
// bits 16-23 and the extended-key bit 24 for 0xE0-prefixed scan codes and the keys whose
// layout name otherwise comes out as their numeric-pad twin.
long key_name_lparam(uint16_t vk, unsigned scan_code_ex);
