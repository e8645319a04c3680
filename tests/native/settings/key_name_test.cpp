// The portable half of key names: fixed names and the key-message parameter.
#include <gtest/gtest.h>

#include "settings/key_name.hpp"

namespace {

TEST(FixedKeyName, NamesMouseButtonsEscAndSidedModifiers)
{
    const struct {
        uint16_t vk;
        const char* name;
    } rows[] = {
        {0x01, "Mouse 1"},    {0x02, "Mouse 2"},     {0x04, "Mouse 3"},   {0x05, "Mouse 4"},
        {0x06, "Mouse 5"},    {0x1B, "Esc"},         {0xA0, "Left Shift"}, {0xA1, "Right Shift"},
        {0xA2, "Left Ctrl"},  {0xA3, "Right Ctrl"},  {0xA4, "Left Alt"},  {0xA5, "Right Alt"},
    };
    for (const auto& row : rows) EXPECT_STREQ(fixed_key_name(row.vk), row.name) << row.vk;
    for (uint16_t vk : {0x03, 0x0D, 0x10, 0x11, 0x12, 0x41, 0xA6, 0xFFFF}) EXPECT_EQ(fixed_key_name(vk), nullptr) << vk;
}

TEST(KeyNameLparam, SetsTheExtendedBitForTheCursorBlock)
{
    const struct {
        uint16_t vk;
        unsigned scan;
        long lparam;
    } rows[] = {
        {0x41, 0x1E, 0x001E0000},    // A
        {0x0D, 0x1C, 0x001C0000},    // Enter
        {0x0D, 0xE01C, 0x011C0000},  // numeric-pad Enter reports its E0 prefix
        {0x26, 0x48, 0x01480000},    // Up arrow, whose scan code is also numeric-pad 8
        {0x21, 0x49, 0x01490000},    // Page Up
        {0x28, 0x50, 0x01500000},    // Down arrow
        {0x2D, 0x52, 0x01520000},    // Insert
        {0x2E, 0x53, 0x01530000},    // Delete
        {0x6F, 0x35, 0x01350000},    // numeric-pad divide
        {0x90, 0x45, 0x01450000},    // Num Lock
        {0x68, 0x48, 0x00480000},    // numeric-pad 8 itself
        {0x13, 0xE11D, 0x001D0000},  // Pause: E1 is not the extended prefix
    };
    for (const auto& row : rows) EXPECT_EQ(key_name_lparam(row.vk, row.scan), row.lparam) << row.vk;
}

}  // namespace
