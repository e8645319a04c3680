#include <windows.h>

#include <cstdio>

#include "gamefiles/paths.hpp"
#include "settings/key_name.hpp"

std::string key_name(uint16_t vk)
{
    if (const char* fixed = fixed_key_name(vk)) return fixed;
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC_EX);
    wchar_t name[64] = {};
    const int length = GetKeyNameTextW(key_name_lparam(vk, scan), name, 64);
    if (length > 0) return to_utf8(std::wstring(name, static_cast<size_t>(length)));
    char text[16];
    std::snprintf(text, sizeof text, "Key %u", static_cast<unsigned>(vk));
    return text;
}
