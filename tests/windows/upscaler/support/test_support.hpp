// Helpers shared by the upscaler's Windows tests: debugger-output capture,
// folders and files, environment variables, a real Direct3D 11 device, and
// texture upload and read-back.
#pragma once

#include <d3d11.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

namespace upscaler_test {

using Microsoft::WRL::ComPtr;

// Collects what the process sends to OutputDebugStringA while it lives (the
// debugger's view of it, taken from the exception Windows raises for it).
class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    std::string Text() const;
    std::vector<std::string> Lines() const;
    void Clear();
};

std::wstring ExeFolder();
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

// A fresh folder under %TEMP%, removed with its contents at the end.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& name);
    ~TempFolder();
    const std::wstring& Path() const { return path_; }
    std::wstring Make(const std::wstring& relative) const; // creates the subfolders, gives the full path

private:
    std::wstring path_;
};

void CopyInto(const std::wstring& from, const std::wstring& toFolder, const std::wstring& name);

// Sets (or, with nullptr, removes) a variable for as long as the object lives.
class ScopedEnv {
public:
    ScopedEnv(const wchar_t* name, const wchar_t* value);
    ~ScopedEnv();

private:
    std::wstring name_;
    std::wstring old_;
    bool had_;
};

std::wstring ModulePath(HMODULE module);

// Wine's hardware device (llvmpipe behind it).
ComPtr<ID3D11Device> CreateDevice();
ULONG RefCount(IUnknown* object);

struct Rgba8Image {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> pixels; // RGBA, rows packed
};

Rgba8Image TestPattern(std::uint32_t width, std::uint32_t height);
ComPtr<ID3D11Texture2D> CreateTexture(ID3D11Device* device, std::uint32_t width, std::uint32_t height,
                                      DXGI_FORMAT format, UINT bindFlags, const void* initial = nullptr,
                                      UINT rowPitch = 0);
Rgba8Image ReadBack(ID3D11Device* device, ID3D11Texture2D* texture);

// What the upscaler should produce: bilinear with texel centres at whole
// numbers, indices clamped to the input, the jitter subtracted.
Rgba8Image BilinearReference(const Rgba8Image& input, std::uint32_t outWidth, std::uint32_t outHeight,
                             float jitterX = 0.0f, float jitterY = 0.0f);

// Largest channel difference, and where.
int MaxDifference(const Rgba8Image& a, const Rgba8Image& b);

// HKLM\SOFTWARE\Microsoft\DirectX\<subkey> with AdapterLuid and, if given, DriverVersion;
// removed at the end.
class DirectXRegistryEntry {
public:
    DirectXRegistryEntry(const std::wstring& subkey, LUID luid, const std::uint64_t* driverVersion);
    ~DirectXRegistryEntry();

private:
    std::wstring subkey_;
};

LUID AdapterLuid(ID3D11Device* device);

} // namespace upscaler_test
