// Scratch folders, real files and child processes for the Windows tests.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace scratch {

namespace fs = std::filesystem;

// A build path handed over by ctest (a host path) as the Windows path Wine maps it to.
inline fs::path from_environment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value) return {};
    std::string text = value;
    if (text.front() != '/') return fs::path(text);
    for (char& c : text)
        if (c == '/') c = '\\';
    return fs::path("Z:" + text);
}

// A fresh, empty folder under the temporary folder.
inline fs::path fresh_folder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    fs::path folder = fs::path(temp) / (L"vandrels-test-" + std::to_wstring(GetCurrentProcessId())) / name;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    return folder;
}

// Creates every missing folder of `path`; also for extended-length paths, which
// std::filesystem does not split correctly.
inline bool create_folders(const std::wstring& path)
{
    size_t start = path.rfind(L"\\\\?\\", 0) == 0 ? 4 : 0;
    start = path.find(L'\\', start);  // the drive's root
    while (start != std::wstring::npos) {
        const size_t end = path.find(L'\\', start + 1);
        const std::wstring prefix = path.substr(0, end);
        if (!CreateDirectoryW(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        start = end;
    }
    return true;
}

inline std::string read_bytes(const fs::path& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[65536];
    DWORD done = 0;
    while (ReadFile(file, buffer, sizeof buffer, &done, nullptr) && done > 0) bytes.append(buffer, done);
    CloseHandle(file);
    return bytes;
}

inline bool write_bytes(const fs::path& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size();
    CloseHandle(file);
    return ok;
}

// A file of exactly `size` bytes (sparse where the file system allows).
inline bool sized_file(const fs::path& path, LONGLONG size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

// Starts `exe` the way the launcher starts the game: its quoted path as the whole command
// line (plus `arguments`) and its folder as current folder. Returns the process handle.
inline HANDLE start(const fs::path& exe, const std::wstring& arguments = L"")
{
    std::wstring command = L"\"" + exe.native() + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    // A current folder cannot be deeper than the classic path limit; such a child inherits ours.
    const std::wstring folder = exe.parent_path().native();
    const wchar_t* current = folder.size() < MAX_PATH - 1 ? folder.c_str() : nullptr;
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, current, &startup,
                        &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// Waits for a started process; its exit code, or -1 when it does not end in time.
inline long finish(HANDLE process, DWORD timeout_ms = 60000)
{
    if (!process) return -2;
    DWORD code = 0;
    const bool ended = WaitForSingleObject(process, timeout_ms) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code);
    if (!ended) TerminateProcess(process, 99);
    CloseHandle(process);
    return ended ? static_cast<long>(code) : -1;
}

inline long run(const fs::path& exe, const std::wstring& arguments = L"")
{
    return finish(start(exe, arguments));
}

}  // namespace scratch
