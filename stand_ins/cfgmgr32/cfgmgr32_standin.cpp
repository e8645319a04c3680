// A configuration manager that reports the display devices a test describes in
// the environment variable STANDIN_DISPLAY_DEVICES, read at every call:
//   entries separated by ';', each "<device instance ID>,<state>,<INF name>"
//   state: ok (devnode found), missing (CR_NO_SUCH_DEVNODE), fail (CR_FAILURE)
//   an empty INF name: the devnode has no driver INF property.
// STANDIN_CM_LIST_FAIL=1 makes the device ID list calls fail.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD CR_SUCCESS_ = 0x00;
constexpr DWORD CR_FAILURE_ = 0x13;
constexpr DWORD CR_INVALID_POINTER_ = 0x03;
constexpr DWORD CR_NO_SUCH_DEVNODE_ = 0x0D;
constexpr DWORD CR_BUFFER_SMALL_ = 0x1A;
constexpr DWORD CR_NO_SUCH_VALUE_ = 0x25;
constexpr ULONG CM_GETIDLIST_FILTER_CLASS_ = 0x200;
constexpr ULONG DEVPROP_TYPE_STRING_ = 0x12;
constexpr wchar_t kDisplayClass[] = L"{4D36E968-E325-11CE-BFC1-08002BE10318}";

struct DevPropKey {
    GUID fmtid;
    ULONG pid;
};
constexpr GUID kDriverInfPathFmtid = {0xa8b865dd, 0x2e3d, 0x4094, {0xad, 0x97, 0xe5, 0x93, 0xa7, 0x0c, 0x75, 0xd6}};

struct Device {
    std::wstring id;
    std::wstring state;
    std::wstring inf;
};

std::wstring Env(const wchar_t* name)
{
    wchar_t buffer[8192] = {};
    const DWORD got = GetEnvironmentVariableW(name, buffer, 8192);
    return got > 0 && got < 8192 ? std::wstring(buffer, got) : std::wstring();
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return parts;
}

std::vector<Device> Devices()
{
    std::vector<Device> devices;
    const std::wstring description = Env(L"STANDIN_DISPLAY_DEVICES");
    if (description.empty()) return devices;
    for (const std::wstring& entry : Split(description, L';')) {
        std::vector<std::wstring> fields = Split(entry, L',');
        fields.resize(3);
        devices.push_back({fields[0], fields[1], fields[2]});
    }
    return devices;
}

// The multi-string of all IDs (empty IDs kept as empty strings), double-terminated.
std::wstring IdList(const wchar_t* filter, ULONG flags)
{
    std::wstring list;
    if (flags == CM_GETIDLIST_FILTER_CLASS_ && filter != nullptr && _wcsicmp(filter, kDisplayClass) == 0) {
        for (const Device& device : Devices()) {
            list += device.id;
            list += L'\0';
        }
    }
    list += L'\0';
    return list;
}

bool ListFails() { return Env(L"STANDIN_CM_LIST_FAIL") == L"1"; }

} // namespace

extern "C" {

DWORD WINAPI CM_Get_Device_ID_List_SizeW(PULONG pulLen, PCWSTR pszFilter, ULONG ulFlags)
{
    if (pulLen == nullptr) return CR_INVALID_POINTER_;
    if (ListFails()) return CR_FAILURE_;
    *pulLen = static_cast<ULONG>(IdList(pszFilter, ulFlags).size());
    return CR_SUCCESS_;
}

DWORD WINAPI CM_Get_Device_ID_ListW(PCWSTR pszFilter, PWCHAR Buffer, ULONG BufferLen, ULONG ulFlags)
{
    if (Buffer == nullptr) return CR_INVALID_POINTER_;
    if (ListFails()) return CR_FAILURE_;
    const std::wstring list = IdList(pszFilter, ulFlags);
    if (list.size() > BufferLen) return CR_BUFFER_SMALL_;
    std::wmemcpy(Buffer, list.data(), list.size());
    return CR_SUCCESS_;
}

DWORD WINAPI CM_Locate_DevNodeW(DWORD* pdnDevInst, const WCHAR* pDeviceID, ULONG /*ulFlags*/)
{
    if (pdnDevInst == nullptr || pDeviceID == nullptr) return CR_INVALID_POINTER_;
    const std::vector<Device> devices = Devices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].id != pDeviceID) continue;
        if (devices[i].state == L"missing") return CR_NO_SUCH_DEVNODE_;
        if (devices[i].state == L"fail") return CR_FAILURE_;
        *pdnDevInst = static_cast<DWORD>(i + 1);
        return CR_SUCCESS_;
    }
    return CR_NO_SUCH_DEVNODE_;
}

DWORD WINAPI CM_Get_DevNode_PropertyW(DWORD dnDevInst, const DevPropKey* PropertyKey, ULONG* PropertyType,
                                      BYTE* PropertyBuffer, ULONG* PropertyBufferSize, ULONG /*ulFlags*/)
{
    if (PropertyKey == nullptr || PropertyType == nullptr || PropertyBufferSize == nullptr) return CR_INVALID_POINTER_;
    const std::vector<Device> devices = Devices();
    if (dnDevInst == 0 || dnDevInst > devices.size()) return CR_NO_SUCH_DEVNODE_;
    if (!IsEqualGUID(PropertyKey->fmtid, kDriverInfPathFmtid) || PropertyKey->pid != 5) return CR_NO_SUCH_VALUE_;
    const std::wstring& inf = devices[dnDevInst - 1].inf;
    if (inf.empty()) return CR_NO_SUCH_VALUE_;
    const ULONG bytes = static_cast<ULONG>((inf.size() + 1) * sizeof(wchar_t));
    *PropertyType = DEVPROP_TYPE_STRING_;
    if (PropertyBuffer == nullptr || *PropertyBufferSize < bytes) {
        *PropertyBufferSize = bytes;
        return CR_BUFFER_SMALL_;
    }
    std::memcpy(PropertyBuffer, inf.c_str(), bytes);
    *PropertyBufferSize = bytes;
    return CR_SUCCESS_;
}

DWORD WINAPI CM_MapCrToWin32Err(DWORD CmReturnCode, DWORD DefaultErr)
{
    return CmReturnCode == CR_SUCCESS_ ? ERROR_SUCCESS : DefaultErr;
}

} // extern "C"
