/// @file
/// What the rendering context of the process offers: the extensions the driver found, the
/// context's limits and the kind of its pixel format. One program-wide instance,
/// `glCapabilities`, describes the most recent context: CreateContext and DetectExtensions
/// fill it, nothing clears it (a new context only adds to it), and tests forget it by
/// assigning an empty struct (ResetDriverState).
#pragma once

#include "orvex/render/GlApi.h"

#include <cstdint>

/// The extensions the driver searches the extension string for, in the order of the search:
///   FLAG(id, name, flag)   sets the member `flag` of GlCapabilities when `name` is offered
///   NO_FLAG(id, name)      is acted on when offered but has no flag
/// `id` names the extension in the EXT rows of the entry-point list (GlEntryPointList.h) and
/// in the driver's further actions. The driver information page lists the set flags in this
/// order too: paletted textures come before packed pixels, which fetch nothing and act on
/// nothing, so their place in the search changes nothing the driver does.
// clang-format off
#define ORVEX_GL_EXTENSIONS(FLAG, NO_FLAG)                                                                   \
    FLAG(ArbMultitexture, "GL_ARB_multitexture", hasMultitexture)                                            \
    FLAG(ArbTextureCompression, "GL_ARB_texture_compression", hasTextureCompression)                         \
    FLAG(ArbTextureCubeMap, "GL_ARB_texture_cube_map", hasTextureCubeMap)                                    \
    FLAG(ArbTextureEnvAdd, "GL_ARB_texture_env_add", hasTextureEnvAdd)                                       \
    FLAG(ExtCompiledVertexArray, "GL_EXT_compiled_vertex_array", hasCompiledVertexArray)                     \
    FLAG(ExtPalettedTexture, "GL_EXT_paletted_texture", hasPalettedTexture)                                  \
    FLAG(ExtPackedPixels, "GL_EXT_packed_pixels", hasPackedPixels)                                           \
    FLAG(ExtPointParameters, "GL_EXT_point_parameters", hasPointParameters)                                  \
    FLAG(ExtTextureCompressionS3tc, "GL_EXT_texture_compression_s3tc", hasTextureCompressionS3tc)            \
    FLAG(ExtTextureEnvCombine, "GL_EXT_texture_env_combine", hasTextureEnvCombine)                           \
    FLAG(ExtVertexArray, "GL_EXT_vertex_array", hasVertexArray)                                              \
    NO_FLAG(ExtCullVertex, "GL_EXT_cull_vertex")                                                             \
    FLAG(ExtVertexWeighting, "GL_EXT_vertex_weighting", hasVertexWeighting)                                  \
    FLAG(S3S3tc, "GL_S3_s3tc", hasS3s3tc)                                                                    \
    FLAG(WglExtSwapControl, "WGL_EXT_swap_control", hasSwapControl)                                          \
    FLAG(Wgl3dfxGammaControl, "WGL_3DFX_gamma_control", has3dfxGammaControl)
// clang-format on

/// What the current rendering context offers (see the file's description).
struct GlCapabilities {
    // One 32-bit flag per extension of the list above, named by its row: 1 when offered.
#define ORVEX_GL_FLAG_MEMBER(id, name, flag) std::int32_t flag = 0;
    ORVEX_GL_EXTENSIONS(ORVEX_GL_FLAG_MEMBER, ORVEX_GL_SKIP)
#undef ORVEX_GL_FLAG_MEMBER

    /// GL_MAX_TEXTURE_SIZE, read after every search.
    std::int32_t maxTextureSize = 0;
    /// GL_MAX_TEXTURE_UNITS_ARB, read only when multitexture is offered.
    std::int32_t maxTextureUnits = 0;
    /// The window's pixel format is hardware accelerated; and it is a generic accelerated
    /// one, served by a display-driver miniport.
    /// @{
    std::int32_t pixelFormatAccelerated = 0;
    std::int32_t pixelFormatMiniport = 0;
    /// @}
};

/// The one instance, describing the most recent context.
extern GlCapabilities glCapabilities;

/// The extensions of the list, by their `id`.
enum class GlExtension : std::int32_t {
#define ORVEX_GL_EXTENSION_ID(id, ...) id,
    ORVEX_GL_EXTENSIONS(ORVEX_GL_EXTENSION_ID, ORVEX_GL_EXTENSION_ID)
#undef ORVEX_GL_EXTENSION_ID
};

/// One row of the extension list: its id, its name in the extension string, and its flag.
struct GlExtensionRow {
    /// Which extension.
    GlExtension id;
    /// Its name in the GL_EXTENSIONS string.
    const char* name;
    std::int32_t GlCapabilities::*flag; ///< null for an extension without a flag
};

/// The list above as data, in its order.
inline constexpr GlExtensionRow kGlExtensions[] = {
#define ORVEX_GL_FLAG_ROW(id, name, flag) {GlExtension::id, name, &GlCapabilities::flag},
#define ORVEX_GL_NO_FLAG_ROW(id, name) {GlExtension::id, name, nullptr},
    ORVEX_GL_EXTENSIONS(ORVEX_GL_FLAG_ROW, ORVEX_GL_NO_FLAG_ROW)
#undef ORVEX_GL_FLAG_ROW
#undef ORVEX_GL_NO_FLAG_ROW
};
