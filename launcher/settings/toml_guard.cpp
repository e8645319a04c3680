#include "settings/toml_guard.hpp"

namespace {

// Both lie in plane 15, above everything the parser's white-space test looks at.
constexpr char32_t marker = 0xFFFFD;
constexpr char32_t stand_in_base = 0xF0000;

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at text[at] and its character; 0 when the bytes
// there are not one (the parser rejects those before it looks at them as characters).
size_t decode(std::string_view text, size_t at, char32_t& c)
{
    const auto byte = [&](size_t i) { return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u; };
    const auto tail = [&](size_t i, unsigned low = 0x80, unsigned high = 0xBF) {
        return byte(i) >= low && byte(i) <= high;
    };
    const unsigned b0 = byte(0);
    if (b0 >= 0xC2 && b0 <= 0xDF && tail(1)) {
        c = ((b0 & 0x1F) << 6) | (byte(1) & 0x3F);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        const unsigned low = b0 == 0xE0 ? 0xA0 : 0x80, high = b0 == 0xED ? 0x9F : 0xBF;
        if (!tail(1, low, high) || !tail(2)) return 0;
        c = ((b0 & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const unsigned low = b0 == 0xF0 ? 0x90 : 0x80, high = b0 == 0xF4 ? 0x8F : 0xBF;
        if (!tail(1, low, high) || !tail(2) || !tail(3)) return 0;
        c = ((b0 & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
        return 4;
    }
    return 0;
}

}  // namespace

bool is_unsafe_for_parser(char32_t c)
{
    return (c >= 0xA1 && c <= 0x499) || (c >= 0x2E2E && c <= 0x3227 && c != 0x3000) || (c >= 0xFB36 && c <= 0xFEFE);
}

std::string hide_unsafe_characters(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const size_t length = decode(text, at, c);
        if (length == 0) {
            out += text[at++];
            continue;
        }
        if (is_unsafe_for_parser(c) || c == marker) {
            append_utf8(out, marker);
            append_utf8(out, c == marker ? marker : stand_in_base + c);
        } else {
            out.append(text.substr(at, length));
        }
        at += length;
    }
    return out;
}

std::string restore_unsafe_characters(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        char32_t c = 0, next = 0;
        const size_t length = decode(text, at, c);
        if (length != 0 && c == marker) {
            const size_t next_length = decode(text, at + length, next);
            if (next_length != 0 && (next == marker || is_unsafe_for_parser(next - stand_in_base))) {
                append_utf8(out, next == marker ? marker : next - stand_in_base);
                at += length + next_length;
                continue;
            }
        }
        const size_t step = length == 0 ? 1 : length;
        out.append(text.substr(at, step));
        at += step;
    }
    return out;
}
