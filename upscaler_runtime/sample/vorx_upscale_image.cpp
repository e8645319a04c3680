// vorx_upscale_image: upscales a picture with the Vorx upscaler, the way a
// game would use it on its rendered frames.
//
//   vorx_upscale_image <input.png|bmp> <output.png|bmp> [preset]
//
// preset: 100 to 106 or ultra-performance, performance, balanced, quality,
// ultra-quality, ultra-quality-plus, native-aa (default: quality). The picture
// stands for a frame rendered at the preset's input resolution; the output is
// the size the preset upscales that to.
//
// Exit codes: 0 done, 1 usage, 2 picture not read or written, 3 Vorx not
// available on this machine, 4 the upscale failed.
#include <d3d11.h>
#include <wincodec.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "sample_device.hpp"
#include "vorx_d3d11.h"

namespace {

// The game resolves the API at run time, so it still starts where the
// library is missing and can pick another upscaler.
struct VorxApi {
    HMODULE library = nullptr;
    decltype(&vorxD3D11CreateContext) createContext = nullptr;
    decltype(&vorxDestroyContext) destroyContext = nullptr;
    decltype(&vorxSetLoggingCallback) setLoggingCallback = nullptr;
    decltype(&vorxGetInputResolution) getInputResolution = nullptr;
    decltype(&vorxD3D11Init) init = nullptr;
    decltype(&vorxD3D11Execute) execute = nullptr;
    decltype(&vorxGetVersion) getVersion = nullptr;

    template <typename Fn>
    bool Resolve(Fn& fn, const char* name)
    {
        fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
        return fn != nullptr;
    }

    bool Load()
    {
        library = LoadLibraryW(L"libvorx_dx11.dll");
        return library != nullptr && Resolve(createContext, "vorxD3D11CreateContext") &&
               Resolve(destroyContext, "vorxDestroyContext") &&
               Resolve(setLoggingCallback, "vorxSetLoggingCallback") &&
               Resolve(getInputResolution, "vorxGetInputResolution") && Resolve(init, "vorxD3D11Init") &&
               Resolve(execute, "vorxD3D11Execute") && Resolve(getVersion, "vorxGetVersion");
    }
};

template <typename T>
struct Com {
    T* p = nullptr;
    ~Com()
    {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    T* get() const { return p; }
};

struct Picture {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> rgba;
};

void OnVorxMessage(const char* message, vorx_logging_level_t level)
{
    std::fprintf(stderr, "vorx [%d]: %s\n", static_cast<int>(level), message);
}

const char* ResultName(vorx_result_t result)
{
    switch (result) {
    case VORX_RESULT_ERROR_UNSUPPORTED_ADAPTER: return "the GPU is not a Korva GPU";
    case VORX_RESULT_ERROR_UNSUPPORTED_DRIVER_VERSION: return "the Korva driver is too old, please update it";
    case VORX_RESULT_ERROR_EXTENSION_UNAVAILABLE: return "the Korva driver's extensions library is not available";
    case VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT: return "the context was not initialised";
    case VORX_RESULT_ERROR_INVALID_ARGUMENT: return "an argument was refused";
    default: return "unexpected failure";
    }
}

bool ParsePreset(const std::wstring& text, std::uint32_t& preset)
{
    static const struct {
        const wchar_t* name;
        std::uint32_t value;
    } names[] = {{L"ultra-performance", VORX_QUALITY_SETTING_ULTRA_PERFORMANCE},
                 {L"performance", VORX_QUALITY_SETTING_PERFORMANCE},
                 {L"balanced", VORX_QUALITY_SETTING_BALANCED},
                 {L"quality", VORX_QUALITY_SETTING_QUALITY},
                 {L"ultra-quality", VORX_QUALITY_SETTING_ULTRA_QUALITY},
                 {L"ultra-quality-plus", VORX_QUALITY_SETTING_ULTRA_QUALITY_PLUS},
                 {L"native-aa", VORX_QUALITY_SETTING_NATIVE_AA}};
    for (const auto& n : names) {
        if (text == n.name) {
            preset = n.value;
            return true;
        }
    }
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != L'\0' || value < 100 || value > 106) return false;
    preset = static_cast<std::uint32_t>(value);
    return true;
}

bool ReadPicture(IWICImagingFactory* wic, const std::wstring& path, Picture& picture)
{
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    if (FAILED(wic->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(wic->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&picture.width, &picture.height))) {
        return false;
    }
    picture.rgba.resize(std::size_t{picture.width} * picture.height * 4);
    return SUCCEEDED(converter->CopyPixels(nullptr, picture.width * 4, static_cast<UINT>(picture.rgba.size()),
                                           picture.rgba.data()));
}

bool WritePicture(IWICImagingFactory* wic, const std::wstring& path, const Picture& picture)
{
    const bool bmp = path.size() >= 4 && _wcsicmp(path.c_str() + path.size() - 4, L".bmp") == 0;
    Com<IWICStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IWICBitmap> bitmap;
    Com<IWICFormatConverter> converter;
    WICPixelFormatGUID format = bmp ? GUID_WICPixelFormat24bppBGR : GUID_WICPixelFormat32bppBGRA;
    if (FAILED(wic->CreateStream(&stream)) || FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(wic->CreateEncoder(bmp ? GUID_ContainerFormatBmp : GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(picture.width, picture.height)) || FAILED(frame->SetPixelFormat(&format))) {
        return false;
    }
    if (FAILED(wic->CreateBitmapFromMemory(picture.width, picture.height, GUID_WICPixelFormat32bppRGBA,
                                           picture.width * 4, static_cast<UINT>(picture.rgba.size()),
                                           const_cast<BYTE*>(picture.rgba.data()), &bitmap)) ||
        FAILED(wic->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(bitmap.get(), format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(frame->WriteSource(converter.get(), nullptr)) || FAILED(frame->Commit()) ||
        FAILED(encoder->Commit())) {
        return false;
    }
    return true;
}

ID3D11Texture2D* MakeTexture(ID3D11Device* device, UINT width, UINT height, DXGI_FORMAT format, UINT bind,
                             const void* pixels = nullptr, UINT pitch = 0)
{
    D3D11_TEXTURE2D_DESC desc{};
    desc.Width = width;
    desc.Height = height;
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = format;
    desc.SampleDesc.Count = 1;
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = bind;
    const D3D11_SUBRESOURCE_DATA data{pixels, pitch, 0};
    ID3D11Texture2D* texture = nullptr;
    device->CreateTexture2D(&desc, pixels ? &data : nullptr, &texture);
    return texture;
}

bool ReadTexture(ID3D11Device* device, ID3D11Texture2D* texture, Picture& picture)
{
    D3D11_TEXTURE2D_DESC desc{};
    texture->GetDesc(&desc);
    desc.Usage = D3D11_USAGE_STAGING;
    desc.BindFlags = 0;
    desc.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
    Com<ID3D11Texture2D> staging;
    Com<ID3D11DeviceContext> context;
    if (FAILED(device->CreateTexture2D(&desc, nullptr, &staging))) return false;
    device->GetImmediateContext(&context);
    context->CopyResource(staging.get(), texture);
    D3D11_MAPPED_SUBRESOURCE mapped{};
    if (FAILED(context->Map(staging.get(), 0, D3D11_MAP_READ, 0, &mapped))) return false;
    picture.width = desc.Width;
    picture.height = desc.Height;
    picture.rgba.resize(std::size_t{desc.Width} * desc.Height * 4);
    for (UINT y = 0; y < desc.Height; ++y) {
        std::memcpy(&picture.rgba[std::size_t{y} * desc.Width * 4],
                    static_cast<const BYTE*>(mapped.pData) + std::size_t{y} * mapped.RowPitch,
                    std::size_t{desc.Width} * 4);
    }
    context->Unmap(staging.get(), 0);
    return true;
}

// The output size whose input resolution for this preset is the picture's:
// ask for a large output once and scale by the ratio.
vorx_2d_t OutputSizeFor(const VorxApi& vorx, vorx_context_handle_t ctx, std::uint32_t preset, UINT width, UINT height)
{
    const vorx_2d_t reference{10000, 10000};
    vorx_2d_t input{};
    if (vorx.getInputResolution(ctx, &reference, preset, &input) != VORX_RESULT_SUCCESS || input.x == 0 ||
        input.y == 0) {
        return {width, height};
    }
    return {static_cast<std::uint32_t>((std::uint64_t{width} * reference.x + input.x / 2) / input.x),
            static_cast<std::uint32_t>((std::uint64_t{height} * reference.y + input.y / 2) / input.y)};
}

int Run(const std::wstring& inputPath, const std::wstring& outputPath, std::uint32_t preset)
{
    VorxApi vorx;
    if (!vorx.Load()) {
        std::fprintf(stderr, "libvorx_dx11.dll is not available\n");
        return 3;
    }
    vorx_version_t version{};
    vorx.getVersion(&version);

    Com<IWICImagingFactory> wic;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&wic)))) {
        std::fprintf(stderr, "Windows Imaging Component is not available\n");
        return 2;
    }
    Picture picture;
    if (!ReadPicture(wic.get(), inputPath, picture)) {
        std::fprintf(stderr, "cannot read %ls\n", inputPath.c_str());
        return 2;
    }

    Com<ID3D11Device> device;
    device.p = CreateSampleDevice();
    if (device.get() == nullptr) {
        std::fprintf(stderr, "no Direct3D 11 device\n");
        return 3;
    }

    vorx_context_handle_t ctx = nullptr;
    const vorx_result_t created = vorx.createContext(device.get(), &ctx);
    if (created != VORX_RESULT_SUCCESS) {
        std::fprintf(stderr, "Vorx %u.%u.%u cannot run here: %s (%d)\n", version.major, version.minor, version.patch,
                     ResultName(created), static_cast<int>(created));
        return 3;
    }
    vorx.setLoggingCallback(ctx, VORX_LOGGING_LEVEL_WARNING, OnVorxMessage);

    const vorx_2d_t output = OutputSizeFor(vorx, ctx, preset, picture.width, picture.height);
    const vorx_d3d11_init_params_t init{output, preset, VORX_INIT_FLAG_NONE};
    vorx_result_t result = vorx.init(ctx, &init);

    Com<ID3D11Texture2D> color, velocity, depth, upscaled;
    color.p = MakeTexture(device.get(), picture.width, picture.height, DXGI_FORMAT_R8G8B8A8_UNORM,
                          D3D11_BIND_SHADER_RESOURCE, picture.rgba.data(), picture.width * 4);
    // A still picture has no motion and lies flat.
    velocity.p = MakeTexture(device.get(), picture.width, picture.height, DXGI_FORMAT_R16G16_FLOAT,
                             D3D11_BIND_SHADER_RESOURCE);
    depth.p = MakeTexture(device.get(), picture.width, picture.height, DXGI_FORMAT_R32_FLOAT,
                          D3D11_BIND_SHADER_RESOURCE);
    upscaled.p = MakeTexture(device.get(), output.x, output.y, DXGI_FORMAT_R8G8B8A8_UNORM,
                             D3D11_BIND_UNORDERED_ACCESS | D3D11_BIND_SHADER_RESOURCE);
    if (!color.get() || !velocity.get() || !depth.get() || !upscaled.get()) {
        vorx.destroyContext(ctx);
        std::fprintf(stderr, "cannot create the textures\n");
        return 4;
    }

    if (result == VORX_RESULT_SUCCESS) {
        vorx_d3d11_execute_params_t exec{};
        exec.pColorTexture = color.get();
        exec.pVelocityTexture = velocity.get();
        exec.pDepthTexture = depth.get();
        exec.pOutputTexture = upscaled.get();
        exec.exposureScale = 1.0f;
        exec.inputWidth = picture.width;
        exec.inputHeight = picture.height;
        result = vorx.execute(ctx, &exec);
    }
    Picture out;
    const bool readBack = result == VORX_RESULT_SUCCESS && ReadTexture(device.get(), upscaled.get(), out);
    vorx.destroyContext(ctx);
    if (!readBack) {
        std::fprintf(stderr, "upscaling failed: %s (%d)\n", ResultName(result), static_cast<int>(result));
        return 4;
    }
    if (!WritePicture(wic.get(), outputPath, out)) {
        std::fprintf(stderr, "cannot write %ls\n", outputPath.c_str());
        return 2;
    }
    std::printf("upscaled %ux%u to %ux%u with preset %u\n", picture.width, picture.height, out.width, out.height,
                preset);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::uint32_t preset = VORX_QUALITY_SETTING_QUALITY;
    if (argc < 3 || argc > 4 || (argc == 4 && !ParsePreset(argv[3], preset))) {
        std::fprintf(stderr, "usage: vorx_upscale_image <input.png|bmp> <output.png|bmp> [preset 100-106 or name]\n");
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const int code = Run(argv[1], argv[2], preset);
    CoUninitialize();
    return code;
}
