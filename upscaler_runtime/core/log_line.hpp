// The runtime's log line: "[Vorx][libvorx_dx11.dll][INFO] message\n".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorx {

// "DEBUG", "INFO", "WARNING", "ERROR" for 0 to 3.
const char* LogLevelName(std::int32_t level);
std::string BuildLogLine(std::int32_t level, std::string_view message);

} // namespace vorx
