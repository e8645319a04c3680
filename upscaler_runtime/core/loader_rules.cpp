#include "loader_rules.hpp"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cwctype>

namespace vorx::loader {

std::int32_t ParseEnvInteger(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > std::int64_t{INT32_MAX} + 1) break; // saturated either way
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

std::int32_t StoredIndexPreference(std::int32_t variableValue)
{
    return variableValue == INT32_MAX ? INT32_MAX : variableValue + 1;
}

bool AltPathLengthAccepted(std::size_t valueLength)
{
    return valueLength + kExtensionLibraryName.size() <= kPathBufferChars;
}

std::optional<std::wstring> LibraryPathInFolder(std::wstring_view folder)
{
    std::wstring path(folder);
    if (path.empty() || path.back() != L'\\') path += L'\\';
    path += kExtensionLibraryName;
    if (path.size() + 1 > kPathBufferChars) return std::nullopt;
    return path;
}

std::wstring LibraryPathBeside(std::wstring_view filePath)
{
    const std::size_t slash = filePath.rfind(L'\\');
    if (slash == std::wstring_view::npos) return std::wstring(kExtensionLibraryName);
    std::wstring path(filePath.substr(0, slash + 1));
    path += kExtensionLibraryName;
    if (path.size() + 1 > kPathBufferChars) return std::wstring(kExtensionLibraryName);
    return path;
}

std::uint32_t HexAfter(std::wstring_view deviceId, std::wstring_view tag)
{
    const std::size_t at = deviceId.find(tag);
    if (at == std::wstring_view::npos) return 0;
    std::uint64_t value = 0;
    for (std::size_t i = at + tag.size(); i < deviceId.size(); ++i) {
        const wchar_t c = deviceId[i];
        unsigned digit;
        if (c >= L'0' && c <= L'9') digit = static_cast<unsigned>(c - L'0');
        else if (c >= L'a' && c <= L'f') digit = static_cast<unsigned>(c - L'a' + 10);
        else if (c >= L'A' && c <= L'F') digit = static_cast<unsigned>(c - L'A' + 10);
        else break;
        value = value * 16 + digit;
        if (value > UINT32_MAX) return UINT32_MAX;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::size_t> ChooseDisplayDevice(const std::vector<DeviceIds>& entries, std::int32_t storedPreference,
                                               std::uint32_t vendorId, std::uint32_t deviceId)
{
    if (storedPreference > 0) {
        const auto position = static_cast<std::size_t>(storedPreference - 1);
        if (position < entries.size()) return position;
        return std::nullopt;
    }
    if (vendorId == 0 || deviceId == 0) return std::nullopt;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].vendorId == vendorId && entries[i].deviceId == deviceId) return i;
    }
    return std::nullopt;
}

const char* PreferenceMark(std::int32_t storedPreference, std::int32_t position)
{
    return storedPreference > 0 && storedPreference - 1 == position ? "*" : "";
}

bool ModuleInDriverFolder(std::wstring_view modulePath, std::wstring_view driverFolder)
{
    return modulePath.find(driverFolder) != std::wstring_view::npos &&
           modulePath.find(L"DriverStore\\FileRepository") != std::wstring_view::npos;
}

std::vector<std::wstring_view> SplitMultiString(const wchar_t* list, std::size_t length)
{
    std::vector<std::wstring_view> strings;
    if (list == nullptr) return strings;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= length; ++i) {
        if (i < length && list[i] != L'\0') continue;
        if (i == length && i == start) break; // nothing after the last terminator
        strings.emplace_back(list + start, i - start);
        start = i + 1;
    }
    return strings;
}

const char* LoaderLogPrefix(std::int32_t level)
{
    switch (level) {
    case kLogError: return "[KRVA_D3D12][ERROR] ";
    case kLogInfo: return "[KRVA_D3D12][INFO] ";
    case kLogDebug: return "[KRVA_D3D12][DEBUG] ";
    default: return "";
    }
}

std::string FormatLoaderLogLine(std::int32_t level, const char* format, std::va_list args)
{
    char buffer[kLoaderLogBufferBytes];
    std::string line = LoaderLogPrefix(level);
    // Room for the text: the buffer less the prefix, the line break and the terminator.
    const std::size_t room = kLoaderLogBufferBytes - line.size() - 1;
    const int written = std::vsnprintf(buffer, room, format, args);
    if (written > 0) line.append(buffer, std::min<std::size_t>(static_cast<std::size_t>(written), room - 1));
    line += '\n';
    return line;
}

} // namespace vorx::loader
