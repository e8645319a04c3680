// Characters that would send the TOML parser into undefined behaviour are moved out of its
// way and come back unchanged.
#include <gtest/gtest.h>

#include "settings/settings_text.hpp"
#include "settings/toml_guard.hpp"

namespace {

// Every character of `text` that decodes as UTF-8 and is unsafe.
int unsafe_characters(const std::string& text)
{
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto at = [&](size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u; };
        const auto tail = [&](size_t k) { return (at(k) & 0xC0) == 0x80; };
        const unsigned b = at(0);
        char32_t c = 0;
        if (b >= 0xC2 && b <= 0xDF && tail(1))
            c = ((b & 0x1F) << 6) | (at(1) & 0x3F);
        else if (b >= 0xE0 && b <= 0xEF && tail(1) && tail(2))
            c = ((b & 0x0F) << 12) | ((at(1) & 0x3F) << 6) | (at(2) & 0x3F);
        if (c && is_unsafe_for_parser(c)) ++count;
    }
    return count;
}

const char* const texts[] = {
    "",
    "plain ascii = 1\n",
    "'caf\xC3\xA9' = 1\n",                           // U+00E9
    "a = '\xD2\x93 \xE3\x80\x81 \xE3\x80\x80 \xEF\xBB\xBE'",  // U+0493, U+3001, U+3000 (safe), U+FEFE
    "b = '\xF3\xBF\xBF\xBD'",                         // the marker itself
    "c = '\xF3\xBF\xBF\xBD\xF3\xB0\x83\xA9'",         // marker + stand-in of U+00E9, as typed by someone
    "d = '\xF3\xBF\xBF\xBD\xF3\xBF\xBF\xBD'",         // two markers
    "broken \xC3 \xE0\x80\x80 \xED\xA0\x80 \xF4\x90\x80\x80 \xC3\xA9\n",  // invalid bytes stay
    "ends with a marker \xF3\xBF\xBF\xBD",
    "ends with a cut sequence \xF3\xBF",
};

TEST(TomlGuard, HidesEveryUnsafeCharacterAndRestoresTheText)
{
    for (const char* text : texts) {
        const std::string hidden = hide_unsafe_characters(text);
        EXPECT_EQ(unsafe_characters(hidden), 0) << text;
        EXPECT_EQ(restore_unsafe_characters(hidden), text) << text;
    }
}

TEST(TomlGuard, UnsafeRangesAreExactlyThoseThatReachTheUnreachable)
{
    const char32_t safe[] = {0x20, 0x7F, 0xA0, 0x49A, 0x1680, 0x2E2D, 0x3000, 0x3228, 0xFB35, 0xFEFF, 0xFFFFD};
    const char32_t unsafe[] = {0xA1, 0xE9, 0x499, 0x2E2E, 0x2FFF, 0x3001, 0x3227, 0xFB36, 0xFEFE};
    for (char32_t c : safe) EXPECT_FALSE(is_unsafe_for_parser(c)) << std::hex << static_cast<uint32_t>(c);
    for (char32_t c : unsafe) EXPECT_TRUE(is_unsafe_for_parser(c)) << std::hex << static_cast<uint32_t>(c);
}

TEST(TomlGuard, NonAsciiTextSurvivesASave)
{
    const std::string old_file =
        "# r\xC3\xA9glages du joueur\n"
        "'caf\xC3\xA9' = 'cr\xC3\xA8me \xE3\x80\x81 \xEF\xAD\x90'\n"
        "\"\xE6\x97\xA5\xE6\x9C\xAC\" = \"\"\"ligne\\\n   \xC3\xA9t\xC3\xA9\"\"\"\n"
        "marker = '\xF3\xBF\xBF\xBD'\n"
        "width = 1280\n";
    EXPECT_EQ(parse_settings(old_file).width, 1280);
    const std::string saved = print_settings(parse_settings(old_file), old_file);
    EXPECT_NE(saved.find("'caf\xC3\xA9' = 'cr\xC3\xA8me \xE3\x80\x81 \xEF\xAD\x90'\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("'\xE6\x97\xA5\xE6\x9C\xAC' = 'ligne\xC3\xA9t\xC3\xA9'\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("marker = '\xF3\xBF\xBF\xBD'\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("width = 1280\r\n"), std::string::npos) << saved;
}

}  // namespace
