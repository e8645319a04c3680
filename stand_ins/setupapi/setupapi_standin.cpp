// The driver store as a test lays it out: STANDIN_DRIVER_STORE names its
// FileRepository folder, and an INF "oemN.inf" lives in "<store>\oemN.inf_amd64\oemN.inf".
#include <windows.h>

#include <cwchar>
#include <string>

extern "C" BOOL WINAPI SetupGetInfDriverStoreLocationW(PCWSTR FileName, const void* /*AlternatePlatformInfo*/,
                                                       PCWSTR /*LocaleName*/, PWSTR ReturnBuffer,
                                                       DWORD ReturnBufferSize, PDWORD RequiredSize)
{
    if (FileName == nullptr || *FileName == L'\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    wchar_t store[4096] = {};
    const DWORD got = GetEnvironmentVariableW(L"STANDIN_DRIVER_STORE", store, 4096);
    if (got == 0 || got >= 4096) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    const std::wstring path = std::wstring(store, got) + L"\\" + FileName + L"_amd64\\" + FileName;
    const DWORD needed = static_cast<DWORD>(path.size() + 1);
    if (RequiredSize != nullptr) *RequiredSize = needed;
    if (ReturnBuffer == nullptr || ReturnBufferSize < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::wmemcpy(ReturnBuffer, path.c_str(), needed);
    return TRUE;
}
