#include "title_scene_win32.hpp"

#include <cmath>
#include <cstdio>
#include <vector>

#include <wincodec.h>

namespace {

void fill(HDC dc, RECT r, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void text(HDC dc, const wchar_t* s, int x, int y, int height, int weight, COLORREF colour)
{
    HFONT font = CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    TextOutW(dc, x, y, s, static_cast<int>(wcslen(s)));
    SelectObject(dc, old);
    DeleteObject(font);
}

}  // namespace

void draw_title_scene(HDC dc, int width, int height, unsigned frame)
{
    // A dark backdrop in bands, brighter towards the horizon.
    const int bands = 24;
    for (int i = 0; i < bands; ++i) {
        const int level = 6 + i * 18 / bands;
        RECT r{0, height * i / bands, width, height * (i + 1) / bands};
        fill(dc, r, RGB(level + 4, level, level + 2));
    }
    // Drifting lights in a cold colour, so that nothing but the logo and the prompt is red.
    for (int i = 0; i < 40; ++i) {
        const double t = frame / 30.0;
        const int x = static_cast<int>(std::fmod(i * 97.0 + t * (20 + i % 7 * 9), width));
        const int y = static_cast<int>(height * (0.15 + 0.7 * std::fmod(i * 0.6180339887, 1.0)));
        const int size = 2 + i % 3;
        fill(dc, RECT{x, y, x + size, y + size}, RGB(60, 80, 110 + i % 5 * 20));
    }
    const int unit = height / 36;  // 20 px at 720 rows
    text(dc, L"THE", width / 16 + unit * 8, height / 6, unit * 2, FW_BOLD, RGB(196, 32, 36));
    text(dc, L"VANDRELS", width / 16, height / 6 + unit * 2, unit * 7, FW_HEAVY, RGB(204, 30, 34));
    // The prompt pulses but stays red enough to be found in every picture.
    const int glow = static_cast<int>(40 * (0.5 + 0.5 * std::sin(frame / 30.0 * 3.14159)));
    text(dc, L"PRESS START", width / 16 + unit * 2, height * 2 / 3, unit * 2, FW_BOLD, RGB(186 + glow, 36, 40));
}

namespace {

bool write_jpeg(IWICImagingFactory* factory, const void* bgrx, int width, int height, const std::filesystem::path& path)
{
    // The JPEG encoder takes 24-bit pixels; the drawing surface has 32.
    const UINT stride = static_cast<UINT>(width) * 3;
    std::vector<BYTE> rgb(static_cast<size_t>(stride) * height);
    const auto* source = static_cast<const BYTE*>(bgrx);
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
        rgb[i * 3 + 0] = source[i * 4 + 0];
        rgb[i * 3 + 1] = source[i * 4 + 1];
        rgb[i * 3 + 2] = source[i * 4 + 2];
    }

    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    bool ok = SUCCEEDED(factory->CreateStream(&stream)) &&
              SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
              SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
              SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
              IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
              SUCCEEDED(frame->WritePixels(height, stride, static_cast<UINT>(rgb.size()), rgb.data())) &&
              SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    if (options) options->Release();
    if (frame) frame->Release();
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    return ok;
}

}  // namespace

bool record_title(const std::filesystem::path& title, unsigned frames, int width, int height)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(title / L"frames", error);
    // The count goes last, so a reader never meets a count without its pictures.
    fs::remove(title / L"info.txt", error);

    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows, as the encoder wants them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bool ok = dc && bitmap;
    if (ok) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (unsigned i = 0; ok && i < frames; ++i) {
            draw_title_scene(dc, width, height, i);
            GdiFlush();
            wchar_t name[32];
            swprintf(name, 32, L"%05u.jpg", i);
            ok = write_jpeg(factory, pixels, width, height, title / L"frames" / name);
        }
        SelectObject(dc, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    factory->Release();
    if (!ok) return false;

    FILE* file = _wfopen((title / L"info.txt").c_str(), L"wb");
    if (!file) return false;
    ok = std::fprintf(file, "frames=%u\r\n", frames) > 0;
    return std::fclose(file) == 0 && ok;
}
