/// @file
/// The engine's OpenGL 1.1 vocabulary and its program-wide entry-point table.
///
/// No translation unit that includes this header may include the system <GL/gl.h>:
/// the table's slots carry the GL function names themselves.
#pragma once

#include <cstddef>
#include <cstdint>

/// @{
/// OpenGL 1.1's own scalar types, as its headers define them.
using GLenum = unsigned int;
using GLboolean = unsigned char;
using GLbitfield = unsigned int;
using GLbyte = signed char;
using GLshort = short;
using GLint = int;
using GLsizei = int;
using GLubyte = unsigned char;
using GLushort = unsigned short;
using GLuint = unsigned int;
using GLfloat = float;
using GLclampf = float;
using GLdouble = double;
using GLclampd = double;
using GLvoid = void;
/// @}

/// Constants of OpenGL 1.1 and of the extensions the engine knows.
enum : GLenum {
    GL_FALSE = 0,
    GL_TRUE = 1,
    GL_NO_ERROR = 0,
    GL_ZERO = 0,
    GL_ONE = 1,

    GL_POINTS = 0x0000,
    GL_LINES = 0x0001,
    GL_LINE_LOOP = 0x0002,
    GL_LINE_STRIP = 0x0003,
    GL_TRIANGLES = 0x0004,
    GL_TRIANGLE_STRIP = 0x0005,
    GL_TRIANGLE_FAN = 0x0006,
    GL_QUADS = 0x0007,
    GL_QUAD_STRIP = 0x0008,
    GL_POLYGON = 0x0009,

    GL_INVALID_ENUM = 0x0500,
    GL_INVALID_VALUE = 0x0501,
    GL_INVALID_OPERATION = 0x0502,
    GL_STACK_OVERFLOW = 0x0503,
    GL_STACK_UNDERFLOW = 0x0504,
    GL_OUT_OF_MEMORY = 0x0505,

    GL_NEVER = 0x0200,
    GL_LESS = 0x0201,
    GL_EQUAL = 0x0202,
    GL_LEQUAL = 0x0203,
    GL_GREATER = 0x0204,
    GL_NOTEQUAL = 0x0205,
    GL_GEQUAL = 0x0206,
    GL_ALWAYS = 0x0207,

    GL_SRC_COLOR = 0x0300,
    GL_ONE_MINUS_SRC_COLOR = 0x0301,
    GL_SRC_ALPHA = 0x0302,
    GL_ONE_MINUS_SRC_ALPHA = 0x0303,
    GL_DST_ALPHA = 0x0304,
    GL_ONE_MINUS_DST_ALPHA = 0x0305,
    GL_DST_COLOR = 0x0306,
    GL_ONE_MINUS_DST_COLOR = 0x0307,

    GL_FRONT = 0x0404,
    GL_BACK = 0x0405,
    GL_FRONT_AND_BACK = 0x0408,

    GL_CW = 0x0900,
    GL_CCW = 0x0901,

    GL_CURRENT_COLOR = 0x0B00,
    GL_POINT_SMOOTH = 0x0B10,
    GL_LINE_SMOOTH = 0x0B20,
    GL_POLYGON_MODE = 0x0B40,
    GL_POLYGON_SMOOTH = 0x0B41,
    GL_CULL_FACE = 0x0B44,
    GL_CULL_FACE_MODE = 0x0B45,
    GL_FRONT_FACE = 0x0B46,
    GL_LIGHTING = 0x0B50,
    GL_LIGHT_MODEL_LOCAL_VIEWER = 0x0B51,
    GL_LIGHT_MODEL_TWO_SIDE = 0x0B52,
    GL_LIGHT_MODEL_AMBIENT = 0x0B53,
    GL_SHADE_MODEL = 0x0B54,
    GL_COLOR_MATERIAL = 0x0B57,
    GL_FOG = 0x0B60,
    GL_DEPTH_RANGE = 0x0B70,
    GL_DEPTH_TEST = 0x0B71,
    GL_DEPTH_WRITEMASK = 0x0B72,
    GL_DEPTH_FUNC = 0x0B74,
    GL_STENCIL_TEST = 0x0B90,
    GL_MATRIX_MODE = 0x0BA0,
    GL_NORMALIZE = 0x0BA1,
    GL_VIEWPORT = 0x0BA2,
    GL_MODELVIEW_MATRIX = 0x0BA6,
    GL_PROJECTION_MATRIX = 0x0BA7,
    GL_TEXTURE_MATRIX = 0x0BA8,
    GL_ALPHA_TEST = 0x0BC0,
    GL_ALPHA_TEST_FUNC = 0x0BC1,
    GL_ALPHA_TEST_REF = 0x0BC2,
    GL_DITHER = 0x0BD0,
    GL_BLEND = 0x0BE2,
    GL_SCISSOR_BOX = 0x0C10,
    GL_SCISSOR_TEST = 0x0C11,
    GL_COLOR_CLEAR_VALUE = 0x0C22,
    GL_PERSPECTIVE_CORRECTION_HINT = 0x0C50,
    GL_POINT_SMOOTH_HINT = 0x0C51,
    GL_LINE_SMOOTH_HINT = 0x0C52,
    GL_POLYGON_SMOOTH_HINT = 0x0C53,
    GL_FOG_HINT = 0x0C54,
    GL_UNPACK_ROW_LENGTH = 0x0CF2,
    GL_UNPACK_ALIGNMENT = 0x0CF5,
    GL_PACK_ALIGNMENT = 0x0D05,
    GL_MAX_TEXTURE_SIZE = 0x0D33,
    GL_MAX_VIEWPORT_DIMS = 0x0D3A,
    GL_RED_BITS = 0x0D52,
    GL_GREEN_BITS = 0x0D53,
    GL_BLUE_BITS = 0x0D54,
    GL_ALPHA_BITS = 0x0D55,
    GL_DEPTH_BITS = 0x0D56,
    GL_STENCIL_BITS = 0x0D57,
    GL_TEXTURE_2D = 0x0DE1,

    GL_DONT_CARE = 0x1100,
    GL_FASTEST = 0x1101,
    GL_NICEST = 0x1102,

    GL_AMBIENT = 0x1200,
    GL_DIFFUSE = 0x1201,
    GL_SPECULAR = 0x1202,
    GL_POSITION = 0x1203,
    GL_SPOT_DIRECTION = 0x1204,
    GL_SPOT_EXPONENT = 0x1205,
    GL_SPOT_CUTOFF = 0x1206,
    GL_CONSTANT_ATTENUATION = 0x1207,
    GL_LINEAR_ATTENUATION = 0x1208,
    GL_QUADRATIC_ATTENUATION = 0x1209,

    GL_BYTE = 0x1400,
    GL_UNSIGNED_BYTE = 0x1401,
    GL_SHORT = 0x1402,
    GL_UNSIGNED_SHORT = 0x1403,
    GL_INT = 0x1404,
    GL_UNSIGNED_INT = 0x1405,
    GL_FLOAT = 0x1406,
    GL_DOUBLE = 0x140A,

    GL_EMISSION = 0x1600,
    GL_SHININESS = 0x1601,
    GL_AMBIENT_AND_DIFFUSE = 0x1602,
    GL_COLOR_INDEXES = 0x1603,

    GL_MODELVIEW = 0x1700,
    GL_PROJECTION = 0x1701,
    GL_TEXTURE = 0x1702,

    GL_COLOR_INDEX = 0x1900,
    GL_STENCIL_INDEX = 0x1901,
    GL_DEPTH_COMPONENT = 0x1902,
    GL_RED = 0x1903,
    GL_GREEN = 0x1904,
    GL_BLUE = 0x1905,
    GL_ALPHA = 0x1906,
    GL_RGB = 0x1907,
    GL_RGBA = 0x1908,
    GL_LUMINANCE = 0x1909,
    GL_LUMINANCE_ALPHA = 0x190A,

    GL_POINT = 0x1B00,
    GL_LINE = 0x1B01,
    GL_FILL = 0x1B02,

    GL_FLAT = 0x1D00,
    GL_SMOOTH = 0x1D01,

    GL_KEEP = 0x1E00,
    GL_REPLACE = 0x1E01,
    GL_INCR = 0x1E02,
    GL_DECR = 0x1E03,

    GL_VENDOR = 0x1F00,
    GL_RENDERER = 0x1F01,
    GL_VERSION = 0x1F02,
    GL_EXTENSIONS = 0x1F03,

    GL_S = 0x2000,
    GL_T = 0x2001,
    GL_MODULATE = 0x2100,
    GL_DECAL = 0x2101,
    GL_TEXTURE_ENV_MODE = 0x2200,
    GL_TEXTURE_ENV_COLOR = 0x2201,
    GL_TEXTURE_ENV = 0x2300,
    GL_EYE_LINEAR = 0x2400,
    GL_OBJECT_LINEAR = 0x2401,
    GL_SPHERE_MAP = 0x2402,
    GL_TEXTURE_GEN_MODE = 0x2500,
    GL_OBJECT_PLANE = 0x2501,
    GL_EYE_PLANE = 0x2502,

    GL_NEAREST = 0x2600,
    GL_LINEAR = 0x2601,
    GL_NEAREST_MIPMAP_NEAREST = 0x2700,
    GL_LINEAR_MIPMAP_NEAREST = 0x2701,
    GL_NEAREST_MIPMAP_LINEAR = 0x2702,
    GL_LINEAR_MIPMAP_LINEAR = 0x2703,
    GL_TEXTURE_MAG_FILTER = 0x2800,
    GL_TEXTURE_MIN_FILTER = 0x2801,
    GL_TEXTURE_WRAP_S = 0x2802,
    GL_TEXTURE_WRAP_T = 0x2803,
    GL_CLAMP = 0x2900,
    GL_REPEAT = 0x2901,

    GL_POLYGON_OFFSET_FILL = 0x8037,
    GL_RGB8 = 0x8051,
    GL_RGBA8 = 0x8058,
    GL_TEXTURE_BINDING_2D = 0x8069,
    GL_VERTEX_ARRAY = 0x8074,
    GL_NORMAL_ARRAY = 0x8075,
    GL_COLOR_ARRAY = 0x8076,
    GL_INDEX_ARRAY = 0x8077,
    GL_TEXTURE_COORD_ARRAY = 0x8078,
    GL_EDGE_FLAG_ARRAY = 0x8079,

    GL_V2F = 0x2A20,
    GL_V3F = 0x2A21,
    GL_C4UB_V2F = 0x2A22,
    GL_C4UB_V3F = 0x2A23,
    GL_C3F_V3F = 0x2A24,
    GL_N3F_V3F = 0x2A25,
    GL_C4F_N3F_V3F = 0x2A26,
    GL_T2F_V3F = 0x2A27,
    GL_T4F_V4F = 0x2A28,
    GL_T2F_C4UB_V3F = 0x2A29,
    GL_T2F_C3F_V3F = 0x2A2A,
    GL_T2F_N3F_V3F = 0x2A2B,
    GL_T2F_C4F_N3F_V3F = 0x2A2C,
    GL_T4F_C4F_N3F_V4F = 0x2A2D,

    GL_BGR_EXT = 0x80E0,
    GL_BGRA_EXT = 0x80E1,
    GL_LIGHT0 = 0x4000,
    GL_LIGHT1 = 0x4001,
    GL_LIGHT2 = 0x4002,
    GL_LIGHT3 = 0x4003,
    GL_LIGHT4 = 0x4004,
    GL_LIGHT5 = 0x4005,
    GL_LIGHT6 = 0x4006,
    GL_LIGHT7 = 0x4007,
    GL_CLAMP_TO_EDGE = 0x812F,

    GL_TEXTURE0_ARB = 0x84C0,
    GL_TEXTURE1_ARB = 0x84C1,
    GL_POINT_SIZE_MIN_EXT = 0x8126,
    GL_POINT_SIZE_MAX_EXT = 0x8127,
    GL_POINT_FADE_THRESHOLD_SIZE_EXT = 0x8128,
    GL_DISTANCE_ATTENUATION_EXT = 0x8129,
    GL_CULL_VERTEX_OBJECT_POSITION_EXT = 0x81AC,
    GL_COMBINE_EXT = 0x8570,

    GL_MAX_TEXTURE_UNITS_ARB = 0x84E2,
    GL_CULL_VERTEX_EXT = 0x81AA,
    GL_CULL_VERTEX_EYE_POSITION_EXT = 0x81AB,
    GL_VERTEX_WEIGHT_ARRAY_EXT = 0x850C,
    GL_ADD = 0x0104,
};

enum : GLbitfield {
    GL_DEPTH_BUFFER_BIT = 0x00000100,
    GL_STENCIL_BUFFER_BIT = 0x00000400,
    GL_COLOR_BUFFER_BIT = 0x00004000,
};

/// Stand-ins for the window-system handles: a drawable surface ("device context")
/// and a rendering context. The platform layer gives them meaning.
/// @{
using GlSurfaceHandle = void*;
using GlContextHandle = void*;
using GlProc = void (*)();
/// @}

/// The 40-byte pixel-format descriptor the driver asks for and describes.
struct PixelFormatDescriptor {
    /// @{
    /// The fields of the Windows PIXELFORMATDESCRIPTOR, in its order: its size (40) and version (1),
    /// the PFD_ flags, the pixel type, the colour, alpha, accumulation, depth and stencil bits with
    /// the colour shifts, and the layer fields the engine leaves at 0.
    std::uint16_t size;
    std::uint16_t version;
    std::uint32_t flags;
    std::uint8_t pixelType;
    std::uint8_t colorBits;
    std::uint8_t redBits, redShift, greenBits, greenShift, blueBits, blueShift;
    std::uint8_t alphaBits, alphaShift;
    std::uint8_t accumBits, accumRedBits, accumGreenBits, accumBlueBits, accumAlphaBits;
    std::uint8_t depthBits;
    std::uint8_t stencilBits;
    std::uint8_t auxBuffers;
    std::uint8_t layerType;
    std::uint8_t reserved;
    std::uint32_t layerMask;
    std::uint32_t visibleMask;
    std::uint32_t damageMask;
    /// @}
};
static_assert(sizeof(PixelFormatDescriptor) == 40, "the descriptor is 40 bytes");

enum : std::uint32_t {
    PFD_DOUBLEBUFFER = 0x00000001,
    PFD_DRAW_TO_WINDOW = 0x00000004,
    PFD_SUPPORT_OPENGL = 0x00000020,
    PFD_GENERIC_FORMAT = 0x00000040,
    PFD_GENERIC_ACCELERATED = 0x00001000,
};
enum : std::uint8_t { PFD_TYPE_RGBA = 0, PFD_MAIN_PLANE = 0 };

/// The calling convention of the GL and window-system functions, and so of every slot
/// and of every function put into one: the system's on 32-bit Windows, the default elsewhere.
#if defined(_WIN32) && !defined(_WIN64)
#define ORVEX_GL_APIENTRY __stdcall
#else
#define ORVEX_GL_APIENTRY
#endif

#include "orvex/render/GlEntryPointList.h"

/// The program-wide entry-point table, one slot per row of the list. Core slots stand in
/// the order the driver resolves them, then the pixel-format slots, then the extensions.
struct GlEntryPoints {
#define ORVEX_GL_SLOT(ret, name, params, ...) ret(ORVEX_GL_APIENTRY* name) params;
    ORVEX_GL_ENTRY_POINTS(ORVEX_GL_SLOT, ORVEX_GL_SLOT, ORVEX_GL_SLOT, ORVEX_GL_SLOT)
#undef ORVEX_GL_SLOT
};

/// A table whose every entry does nothing and answers zero (null, GL_NO_ERROR, GL_FALSE):
/// the start for stand-in tables of programs and tests that run without a GL context.
/// Output parameters are left untouched.
GlEntryPoints NoOpGlEntryPoints();

/// The one table of the process. Every GL call of the engine goes through it.
extern GlEntryPoints gl;
