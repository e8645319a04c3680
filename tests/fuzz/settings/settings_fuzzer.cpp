// Any bytes as settings.toml: loading must not fail, and saving over them must give a file
// that loads back as exactly what was saved.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/settings_text.hpp"
#include "settings/toml_guard.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (restore_unsafe_characters(hide_unsafe_characters(text)) != text) std::abort();

    const Settings loaded = parse_settings(text);

    // The file keeps sharpness within 0..100; everything else a load can produce is written as is.
    Settings expected = loaded;
    expected.sharpness = std::clamp<int32_t>(expected.sharpness, 0, 100);
    const std::string saved = print_settings(loaded, text);
    if (!(parse_settings(saved) == expected)) std::abort();
    if (saved.size() < 2 || saved.compare(saved.size() - 2, 2, "\r\n") != 0) std::abort();
    return 0;
}
