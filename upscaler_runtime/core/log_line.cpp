#include "log_line.hpp"

namespace vorx {

const char* LogLevelName(std::int32_t level)
{
    switch (level) {
    case 0: return "DEBUG";
    case 1: return "INFO";
    case 2: return "WARNING";
    case 3: return "ERROR";
    default: return "UNKNOWN";
    }
}

std::string BuildLogLine(std::int32_t level, std::string_view message)
{
    std::string line = "[Vorx][libvorx_dx11.dll][";
    line += LogLevelName(level);
    line += "] ";
    line += message;
    line += '\n';
    return line;
}

} // namespace vorx
