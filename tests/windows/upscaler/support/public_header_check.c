/* The public headers compile as C, before and after the game's own <d3d11.h>. */
#include "vorx_d3d11.h"

#define COBJMACROS
#include <d3d11.h>

#include "vorx_d3d11.h"

vorx_result_t vorx_public_header_check(ID3D11Device* device, ID3D11Texture2D* texture)
{
    vorx_context_handle_t context = NULL;
    vorx_d3d11_execute_params_t params = {0};
    vorx_result_t result = vorxD3D11CreateContext(device, &context);
    params.pColorTexture = (ID3D11Resource*)texture;
    if (result == VORX_RESULT_SUCCESS) result = vorxD3D11Execute(context, &params);
    return result;
}
