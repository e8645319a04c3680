// The game developers' sample program, run as a separate process on picture
// files this test makes: the plain build on Wine's adapter, and a build whose
// device presents itself as a Korva GPU.
#include <gtest/gtest.h>
#include <wincodec.h>

#include <fstream>
#include <sstream>

#include "core/version_gate.hpp"
#include "test_support.hpp"

namespace {

using namespace upscaler_test;

struct RunResult {
    DWORD exitCode = 0;
    std::string output;
};

RunResult RunProgram(const std::wstring& program, const std::wstring& arguments, const std::wstring& logPath)
{
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE log = CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = log;
    startup.hStdError = log;
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    RunResult result;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, ExeFolder().c_str(),
                        &startup, &process)) {
        CloseHandle(log);
        result.exitCode = 0xFFFFFFFF;
        return result;
    }
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(log);
    std::ifstream in(Narrow(logPath), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    result.output = text.str();
    return result;
}

class Wic {
public:
    Wic()
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory_));
    }
    ~Wic()
    {
        factory_.Reset();
        CoUninitialize();
    }

    void Write(const std::wstring& path, const Rgba8Image& image, REFGUID container)
    {
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapEncoder> encoder;
        ComPtr<IWICBitmapFrameEncode> frame;
        ComPtr<IWICBitmap> bitmap;
        ComPtr<IWICFormatConverter> converter;
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        ASSERT_TRUE(SUCCEEDED(factory_->CreateStream(&stream)));
        ASSERT_TRUE(SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)));
        ASSERT_TRUE(SUCCEEDED(factory_->CreateEncoder(container, nullptr, &encoder)));
        ASSERT_TRUE(SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)));
        ASSERT_TRUE(SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)));
        ASSERT_TRUE(SUCCEEDED(frame->Initialize(nullptr)));
        ASSERT_TRUE(SUCCEEDED(frame->SetSize(image.width, image.height)));
        ASSERT_TRUE(SUCCEEDED(frame->SetPixelFormat(&format)));
        ASSERT_TRUE(SUCCEEDED(factory_->CreateBitmapFromMemory(
            image.width, image.height, GUID_WICPixelFormat32bppRGBA, image.width * 4,
            static_cast<UINT>(image.pixels.size()), const_cast<BYTE*>(image.pixels.data()), &bitmap)));
        ASSERT_TRUE(SUCCEEDED(factory_->CreateFormatConverter(&converter)));
        ASSERT_TRUE(SUCCEEDED(converter->Initialize(bitmap.Get(), format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                                    WICBitmapPaletteTypeCustom)));
        ASSERT_TRUE(SUCCEEDED(frame->WriteSource(converter.Get(), nullptr)));
        ASSERT_TRUE(SUCCEEDED(frame->Commit()));
        ASSERT_TRUE(SUCCEEDED(encoder->Commit()));
    }

    Rgba8Image Read(const std::wstring& path)
    {
        Rgba8Image image;
        ComPtr<IWICBitmapDecoder> decoder;
        ComPtr<IWICBitmapFrameDecode> frame;
        ComPtr<IWICFormatConverter> converter;
        if (FAILED(factory_->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                       WICDecodeMetadataCacheOnDemand, &decoder)) ||
            FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory_->CreateFormatConverter(&converter)) ||
            FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr,
                                         0.0, WICBitmapPaletteTypeCustom))) {
            return image;
        }
        converter->GetSize(&image.width, &image.height);
        image.pixels.resize(std::size_t{image.width} * image.height * 4);
        converter->CopyPixels(nullptr, image.width * 4, static_cast<UINT>(image.pixels.size()), image.pixels.data());
        return image;
    }

private:
    ComPtr<IWICImagingFactory> factory_;
};

class SampleProgram : public testing::Test {
protected:
    TempFolder temp_{L"sample"};
    Wic wic_;
    Rgba8Image input_ = TestPattern(64, 36);
    std::wstring korvaBuild_ = ExeFolder() + L"\\vorx_upscale_image_korva.exe";
    std::wstring plainBuild_ = ExeFolder() + L"\\vorx_upscale_image.exe";
};

TEST_F(SampleProgram, UpscalesPicturesByThePresetOnAKorvaGpu)
{
    const std::uint64_t version = vorx::MakeDriverVersion(31, 0, 101, 6553);
    DirectXRegistryEntry driver(L"{vorx-sample-test}", AdapterLuid(CreateDevice().Get()), &version);
    struct Case {
        const wchar_t* preset;
        REFGUID inputContainer;
        const wchar_t* inputName;
        const wchar_t* outputName;
        std::uint32_t width;
        std::uint32_t height;
    };
    const Case cases[] = {
        // 64 x 36 rendered at "quality" (1.7) becomes 109 x 61; at "performance" (2.3) 147 x 83.
        {L"quality", GUID_ContainerFormatPng, L"in.png", L"out.png", 109, 61},
        {L"101", GUID_ContainerFormatBmp, L"in.bmp", L"out.bmp", 147, 83},
        {L"native-aa", GUID_ContainerFormatPng, L"same.png", L"same_out.bmp", 64, 36},
    };
    for (const Case& c : cases) {
        const std::wstring in = temp_.Path() + L"\\" + c.inputName;
        const std::wstring out = temp_.Path() + L"\\" + c.outputName;
        wic_.Write(in, input_, c.inputContainer);
        const RunResult run = RunProgram(korvaBuild_, L"\"" + in + L"\" \"" + out + L"\" " + c.preset,
                                         temp_.Path() + L"\\log.txt");
        ASSERT_EQ(run.exitCode, 0u) << run.output;
        EXPECT_NE(run.output.find("upscaled 64x36 to " + std::to_string(c.width) + "x" + std::to_string(c.height)),
                  std::string::npos)
            << run.output;
        const Rgba8Image result = wic_.Read(out);
        ASSERT_EQ(result.width, c.width) << Narrow(c.preset);
        ASSERT_EQ(result.height, c.height) << Narrow(c.preset);
        EXPECT_LE(MaxDifference(result, BilinearReference(input_, c.width, c.height)), 2) << Narrow(c.preset);
    }
}

TEST_F(SampleProgram, ExplainsWhyItCannotRunOnAnotherVendorsGpu)
{
    const std::wstring in = temp_.Path() + L"\\in.png";
    wic_.Write(in, input_, GUID_ContainerFormatPng);
    const RunResult run = RunProgram(plainBuild_, L"\"" + in + L"\" \"" + temp_.Path() + L"\\out.png\"",
                                     temp_.Path() + L"\\log.txt");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_NE(run.output.find("Vorx 2.0.2 cannot run here: the GPU is not a Korva GPU (-1)"), std::string::npos)
        << run.output;
    EXPECT_EQ(GetFileAttributesW((temp_.Path() + L"\\out.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SampleProgram, RefusesBadArguments)
{
    const std::wstring log = temp_.Path() + L"\\log.txt";
    EXPECT_EQ(RunProgram(plainBuild_, L"only-one", log).exitCode, 1u);
    EXPECT_EQ(RunProgram(plainBuild_, L"a.png b.png 107", log).exitCode, 1u);
    EXPECT_EQ(RunProgram(plainBuild_, L"a.png b.png fastest", log).exitCode, 1u);
    const RunResult missing = RunProgram(plainBuild_, L"\"" + temp_.Path() + L"\\missing.png\" b.png", log);
    EXPECT_EQ(missing.exitCode, 2u);
    EXPECT_NE(missing.output.find("cannot read"), std::string::npos) << missing.output;
}

} // namespace
