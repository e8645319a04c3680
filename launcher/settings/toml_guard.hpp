// toml++ 3.3 runs into __builtin_unreachable() when it asks whether certain non-ASCII
// characters are white space (U+00A1..U+0499, U+2E2E..U+3227 but U+3000, U+FB36..U+FEFE),
// which it does for perfectly valid files, for example with a quoted key 'café'. What the
// compiled code then does is undefined, so no such character may reach the parser: the
// settings text is passed through hide_unsafe_characters before parsing and the printed
// text through restore_unsafe_characters, which gives every character back unchanged.
#pragma once

#include <string>
#include <string_view>

// Replaces each unsafe character by a private-use marker and a private-use stand-in
// (and a marker already in the text by two markers). Other bytes, valid or not, stay.
std::string hide_unsafe_characters(std::string_view text);

// The inverse of hide_unsafe_characters.
std::string restore_unsafe_characters(std::string_view text);

// Whether `c` is one of the characters that must not reach the parser.
bool is_unsafe_for_parser(char32_t c);
