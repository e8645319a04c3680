// The upscale itself: a bilinear resize of the colour texture into the output
// texture on the GPU, on the device's immediate context. The game's pipeline
// state is put back afterwards.
//
// Output pixel (x, y) takes the input at the continuous position
//   p = (x + 0.5) * inputSize / outputSize - 0.5 - jitter * jitterScale
// (texel centres at whole numbers), blending the four nearest texels with
// indices clamped to the rendered area. Velocity, depth, exposure and the
// responsive mask do not change a bilinear result and are not read.
#pragma once

#include <d3d11.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>

namespace kvgext {

struct UpscaleRegion {
    std::uint32_t inputX, inputY, inputWidth, inputHeight;
    std::uint32_t outputX, outputY, outputWidth, outputHeight;
    float offsetX, offsetY; // the jitter in input pixels, already scaled
};

class BilinearUpscaler {
public:
    explicit BilinearUpscaler(ID3D11Device* device) : device_(device) {}

    // False with `error` set when the textures cannot be used.
    bool Run(ID3D11Resource* color, ID3D11Resource* output, const UpscaleRegion& region, std::string& error);

private:
    bool EnsureShaders(std::string& error);
    bool ColorView(ID3D11Resource* color, Microsoft::WRL::ComPtr<ID3D11ShaderResourceView>& view, std::string& error);
    void UpdateConstants(ID3D11DeviceContext* context, const UpscaleRegion& region);
    void RunDraw(ID3D11DeviceContext* context, ID3D11ShaderResourceView* color, ID3D11RenderTargetView* output,
                 const UpscaleRegion& region);

    ID3D11Device* device_;
    Microsoft::WRL::ComPtr<ID3D11VertexShader> vertexShader_;
    Microsoft::WRL::ComPtr<ID3D11PixelShader> pixelShader_;
    Microsoft::WRL::ComPtr<ID3D11Buffer> constants_;
    Microsoft::WRL::ComPtr<ID3D11RasterizerState> rasterizer_;
    // A copy of colour textures that cannot be bound for reading.
    Microsoft::WRL::ComPtr<ID3D11Texture2D> colorCopy_;
    // Where the result goes first when the output is not a render target.
    Microsoft::WRL::ComPtr<ID3D11Texture2D> outputStaging_;
};

} // namespace kvgext
