#include "test_support.hpp"

#include <dxgi.h>

#include <algorithm>
#include <cstring>
#include <cmath>
#include <mutex>
#include <stdexcept>

namespace upscaler_test {
namespace {

std::mutex gCaptureLock;
std::string gCaptured;
PVOID gHandler = nullptr;

LONG CALLBACK CaptureDebugString(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (record->ExceptionCode != DBG_PRINTEXCEPTION_C || record->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    const auto length = static_cast<std::size_t>(record->ExceptionInformation[0]);
    const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    std::lock_guard<std::mutex> lock(gCaptureLock);
    // The length counts the terminator.
    gCaptured.append(text, length > 0 ? length - 1 : 0);
    return EXCEPTION_CONTINUE_EXECUTION;
}

} // namespace

DebugOutputCapture::DebugOutputCapture()
{
    Clear();
    gHandler = AddVectoredExceptionHandler(1, CaptureDebugString);
}

DebugOutputCapture::~DebugOutputCapture() { RemoveVectoredExceptionHandler(gHandler); }

std::string DebugOutputCapture::Text() const
{
    std::lock_guard<std::mutex> lock(gCaptureLock);
    return gCaptured;
}

std::vector<std::string> DebugOutputCapture::Lines() const
{
    std::vector<std::string> lines;
    const std::string text = Text();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void DebugOutputCapture::Clear()
{
    std::lock_guard<std::mutex> lock(gCaptureLock);
    gCaptured.clear();
}

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.rfind(L'\\'));
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += static_cast<char>(c < 128 ? c : '?');
    return out;
}

namespace {

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileW(child.c_str()); // a module still loaded stays; the prefix is scratch space
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace

TempFolder::TempFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"vorx_" + name + L"_" + std::to_wstring(GetCurrentProcessId());
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::wstring TempFolder::Make(const std::wstring& relative) const
{
    std::wstring path = path_;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find(L'\\', start);
        if (end == std::wstring::npos) end = relative.size();
        path += L"\\" + relative.substr(start, end - start);
        CreateDirectoryW(path.c_str(), nullptr);
        start = end + 1;
    }
    return path;
}

void CopyInto(const std::wstring& from, const std::wstring& toFolder, const std::wstring& name)
{
    const std::wstring to = toFolder + L"\\" + name;
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + Narrow(from) + " to " + Narrow(to));
    }
}

ScopedEnv::ScopedEnv(const wchar_t* name, const wchar_t* value) : name_(name)
{
    wchar_t buffer[32768];
    const DWORD got = GetEnvironmentVariableW(name, buffer, 32768);
    had_ = got > 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    if (had_) old_.assign(buffer, got);
    SetEnvironmentVariableW(name, value);
}

ScopedEnv::~ScopedEnv() { SetEnvironmentVariableW(name_.c_str(), had_ ? old_.c_str() : nullptr); }

std::wstring ModulePath(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

ComPtr<ID3D11Device> CreateDevice()
{
    ComPtr<ID3D11Device> device;
    const D3D_FEATURE_LEVEL levels[] = {D3D_FEATURE_LEVEL_11_0};
    if (FAILED(D3D11CreateDevice(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, levels, 1, D3D11_SDK_VERSION,
                                 &device, nullptr, nullptr))) {
        throw std::runtime_error("no Direct3D 11 device");
    }
    return device;
}

ULONG RefCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

Rgba8Image TestPattern(std::uint32_t width, std::uint32_t height)
{
    Rgba8Image image{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 4)};
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint8_t* p = &image.pixels[(std::size_t{y} * width + x) * 4];
            p[0] = static_cast<std::uint8_t>(x * 255 / (width > 1 ? width - 1 : 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / (height > 1 ? height - 1 : 1));
            p[2] = static_cast<std::uint8_t>(((x / 4 + y / 4) % 2) ? 230 : 20);
            p[3] = 255;
        }
    }
    return image;
}

ComPtr<ID3D11Texture2D> CreateTexture(ID3D11Device* device, std::uint32_t width, std::uint32_t height,
                                      DXGI_FORMAT format, UINT bindFlags, const void* initial, UINT rowPitch)
{
    D3D11_TEXTURE2D_DESC desc{};
    desc.Width = width;
    desc.Height = height;
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = format;
    desc.SampleDesc.Count = 1;
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = bindFlags;
    D3D11_SUBRESOURCE_DATA data{initial, rowPitch, 0};
    ComPtr<ID3D11Texture2D> texture;
    if (FAILED(device->CreateTexture2D(&desc, initial ? &data : nullptr, &texture))) {
        throw std::runtime_error("cannot create a texture");
    }
    return texture;
}

Rgba8Image ReadBack(ID3D11Device* device, ID3D11Texture2D* texture)
{
    D3D11_TEXTURE2D_DESC desc{};
    texture->GetDesc(&desc);
    desc.Usage = D3D11_USAGE_STAGING;
    desc.BindFlags = 0;
    desc.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
    desc.MiscFlags = 0;
    ComPtr<ID3D11Texture2D> staging;
    if (FAILED(device->CreateTexture2D(&desc, nullptr, &staging))) throw std::runtime_error("no staging texture");
    ComPtr<ID3D11DeviceContext> context;
    device->GetImmediateContext(&context);
    context->CopyResource(staging.Get(), texture);
    D3D11_MAPPED_SUBRESOURCE mapped{};
    if (FAILED(context->Map(staging.Get(), 0, D3D11_MAP_READ, 0, &mapped))) throw std::runtime_error("cannot map");
    Rgba8Image image{desc.Width, desc.Height, std::vector<std::uint8_t>(std::size_t{desc.Width} * desc.Height * 4)};
    for (UINT y = 0; y < desc.Height; ++y) {
        std::memcpy(&image.pixels[std::size_t{y} * desc.Width * 4],
                    static_cast<const std::uint8_t*>(mapped.pData) + std::size_t{y} * mapped.RowPitch,
                    std::size_t{desc.Width} * 4);
    }
    context->Unmap(staging.Get(), 0);
    return image;
}

Rgba8Image BilinearReference(const Rgba8Image& input, std::uint32_t outWidth, std::uint32_t outHeight, float jitterX,
                             float jitterY)
{
    Rgba8Image out{outWidth, outHeight, std::vector<std::uint8_t>(std::size_t{outWidth} * outHeight * 4)};
    const double sx = static_cast<double>(input.width) / outWidth;
    const double sy = static_cast<double>(input.height) / outHeight;
    auto at = [&](long x, long y, int c) {
        x = std::clamp<long>(x, 0, static_cast<long>(input.width) - 1);
        y = std::clamp<long>(y, 0, static_cast<long>(input.height) - 1);
        return static_cast<double>(input.pixels[(static_cast<std::size_t>(y) * input.width + x) * 4 + c]);
    };
    for (std::uint32_t y = 0; y < outHeight; ++y) {
        for (std::uint32_t x = 0; x < outWidth; ++x) {
            const double px = (x + 0.5) * sx - 0.5 - jitterX;
            const double py = (y + 0.5) * sy - 0.5 - jitterY;
            const double fx = std::floor(px), fy = std::floor(py);
            const double tx = px - fx, ty = py - fy;
            const long ix = static_cast<long>(fx), iy = static_cast<long>(fy);
            for (int c = 0; c < 4; ++c) {
                const double top = at(ix, iy, c) * (1 - tx) + at(ix + 1, iy, c) * tx;
                const double bottom = at(ix, iy + 1, c) * (1 - tx) + at(ix + 1, iy + 1, c) * tx;
                out.pixels[(std::size_t{y} * outWidth + x) * 4 + c] =
                    static_cast<std::uint8_t>(std::lround(top * (1 - ty) + bottom * ty));
            }
        }
    }
    return out;
}

int MaxDifference(const Rgba8Image& a, const Rgba8Image& b)
{
    if (a.width != b.width || a.height != b.height) return 256;
    int worst = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) worst = std::max(worst, std::abs(a.pixels[i] - b.pixels[i]));
    return worst;
}

DirectXRegistryEntry::DirectXRegistryEntry(const std::wstring& subkey, LUID luid, const std::uint64_t* driverVersion)
    : subkey_(L"SOFTWARE\\Microsoft\\DirectX\\" + subkey)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("cannot write the DirectX registry key");
    }
    const std::uint64_t luidValue = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(luid.HighPart)) << 32) |
                                    luid.LowPart;
    RegSetValueExW(key, L"AdapterLuid", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&luidValue), sizeof(luidValue));
    if (driverVersion != nullptr) {
        RegSetValueExW(key, L"DriverVersion", 0, REG_QWORD, reinterpret_cast<const BYTE*>(driverVersion),
                       sizeof(*driverVersion));
    }
    RegCloseKey(key);
}

DirectXRegistryEntry::~DirectXRegistryEntry() { RegDeleteKeyW(HKEY_LOCAL_MACHINE, subkey_.c_str()); }

LUID AdapterLuid(ID3D11Device* device)
{
    ComPtr<IDXGIDevice> dxgi;
    device->QueryInterface(__uuidof(IDXGIDevice), reinterpret_cast<void**>(dxgi.GetAddressOf()));
    ComPtr<IDXGIAdapter> adapter;
    dxgi->GetAdapter(&adapter);
    DXGI_ADAPTER_DESC desc{};
    adapter->GetDesc(&desc);
    return desc.AdapterLuid;
}

} // namespace upscaler_test
