#include "RecordingGl.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <initializer_list>
#include <type_traits>
#include <unordered_map>
#include <utility>

// How each argument is shown comes from the letters of the entry-point list
// (render/GlEntryPointList.h), one per parameter.

namespace {

template <std::size_t N>
struct FixedString {
    char text[N]{};
    constexpr FixedString(const char (&s)[N]) { std::copy_n(s, N, text); }
    constexpr std::size_t size() const { return N - 1; }
    constexpr std::string_view view() const { return {text, N - 1}; }
};

RecordingGl* active = nullptr;

// ---------------------------------------------------------------- names and numbers

const std::unordered_map<GLenum, const char*>& EnumNames()
{
// clang-format off
#define N(name) {name, #name}
    static const std::unordered_map<GLenum, const char*> names{
        N(GL_NEVER), N(GL_LESS), N(GL_EQUAL), N(GL_LEQUAL), N(GL_GREATER), N(GL_NOTEQUAL), N(GL_GEQUAL),
        N(GL_ALWAYS), N(GL_SRC_COLOR), N(GL_ONE_MINUS_SRC_COLOR), N(GL_SRC_ALPHA), N(GL_ONE_MINUS_SRC_ALPHA),
        N(GL_DST_ALPHA), N(GL_ONE_MINUS_DST_ALPHA), N(GL_DST_COLOR), N(GL_ONE_MINUS_DST_COLOR), N(GL_FRONT),
        N(GL_BACK), N(GL_FRONT_AND_BACK), N(GL_INVALID_ENUM), N(GL_INVALID_VALUE), N(GL_INVALID_OPERATION),
        N(GL_STACK_OVERFLOW), N(GL_STACK_UNDERFLOW), N(GL_OUT_OF_MEMORY), N(GL_CW), N(GL_CCW),
        N(GL_CURRENT_COLOR), N(GL_POINT_SMOOTH), N(GL_LINE_SMOOTH), N(GL_POLYGON_MODE), N(GL_POLYGON_SMOOTH),
        N(GL_CULL_FACE), N(GL_CULL_FACE_MODE), N(GL_FRONT_FACE), N(GL_LIGHTING), N(GL_LIGHT_MODEL_LOCAL_VIEWER),
        N(GL_LIGHT_MODEL_TWO_SIDE), N(GL_LIGHT_MODEL_AMBIENT), N(GL_SHADE_MODEL), N(GL_COLOR_MATERIAL),
        N(GL_FOG), N(GL_DEPTH_RANGE), N(GL_DEPTH_TEST), N(GL_DEPTH_WRITEMASK), N(GL_DEPTH_FUNC),
        N(GL_STENCIL_TEST), N(GL_MATRIX_MODE), N(GL_NORMALIZE), N(GL_VIEWPORT), N(GL_MODELVIEW_MATRIX),
        N(GL_PROJECTION_MATRIX), N(GL_TEXTURE_MATRIX), N(GL_ALPHA_TEST), N(GL_ALPHA_TEST_FUNC),
        N(GL_ALPHA_TEST_REF), N(GL_DITHER), N(GL_BLEND), N(GL_SCISSOR_BOX), N(GL_SCISSOR_TEST),
        N(GL_COLOR_CLEAR_VALUE), N(GL_PERSPECTIVE_CORRECTION_HINT), N(GL_POINT_SMOOTH_HINT),
        N(GL_LINE_SMOOTH_HINT), N(GL_POLYGON_SMOOTH_HINT), N(GL_FOG_HINT), N(GL_UNPACK_ROW_LENGTH),
        N(GL_UNPACK_ALIGNMENT), N(GL_PACK_ALIGNMENT), N(GL_MAX_TEXTURE_SIZE), N(GL_MAX_VIEWPORT_DIMS),
        N(GL_RED_BITS), N(GL_GREEN_BITS), N(GL_BLUE_BITS), N(GL_ALPHA_BITS), N(GL_DEPTH_BITS),
        N(GL_STENCIL_BITS), N(GL_TEXTURE_2D), N(GL_DONT_CARE), N(GL_FASTEST), N(GL_NICEST), N(GL_AMBIENT),
        N(GL_DIFFUSE), N(GL_SPECULAR), N(GL_POSITION), N(GL_SPOT_DIRECTION), N(GL_SPOT_EXPONENT),
        N(GL_SPOT_CUTOFF), N(GL_CONSTANT_ATTENUATION), N(GL_LINEAR_ATTENUATION), N(GL_QUADRATIC_ATTENUATION),
        N(GL_BYTE), N(GL_UNSIGNED_BYTE), N(GL_SHORT), N(GL_UNSIGNED_SHORT), N(GL_INT), N(GL_UNSIGNED_INT),
        N(GL_FLOAT), N(GL_DOUBLE), N(GL_EMISSION), N(GL_SHININESS), N(GL_AMBIENT_AND_DIFFUSE),
        N(GL_COLOR_INDEXES), N(GL_MODELVIEW), N(GL_PROJECTION), N(GL_TEXTURE), N(GL_COLOR_INDEX),
        N(GL_STENCIL_INDEX), N(GL_DEPTH_COMPONENT), N(GL_RED), N(GL_GREEN), N(GL_BLUE), N(GL_ALPHA),
        N(GL_RGB), N(GL_RGBA), N(GL_LUMINANCE), N(GL_LUMINANCE_ALPHA), N(GL_POINT), N(GL_LINE), N(GL_FILL),
        N(GL_FLAT), N(GL_SMOOTH), N(GL_KEEP), N(GL_REPLACE), N(GL_INCR), N(GL_DECR), N(GL_VENDOR),
        N(GL_RENDERER), N(GL_VERSION), N(GL_EXTENSIONS), N(GL_S), N(GL_T), N(GL_MODULATE), N(GL_DECAL),
        N(GL_TEXTURE_ENV_MODE), N(GL_TEXTURE_ENV_COLOR), N(GL_TEXTURE_ENV), N(GL_EYE_LINEAR),
        N(GL_OBJECT_LINEAR), N(GL_SPHERE_MAP), N(GL_TEXTURE_GEN_MODE), N(GL_OBJECT_PLANE), N(GL_EYE_PLANE),
        N(GL_NEAREST), N(GL_LINEAR), N(GL_NEAREST_MIPMAP_NEAREST), N(GL_LINEAR_MIPMAP_NEAREST),
        N(GL_NEAREST_MIPMAP_LINEAR), N(GL_LINEAR_MIPMAP_LINEAR), N(GL_TEXTURE_MAG_FILTER),
        N(GL_TEXTURE_MIN_FILTER), N(GL_TEXTURE_WRAP_S), N(GL_TEXTURE_WRAP_T), N(GL_CLAMP), N(GL_REPEAT),
        N(GL_POLYGON_OFFSET_FILL), N(GL_RGB8), N(GL_RGBA8), N(GL_TEXTURE_BINDING_2D), N(GL_VERTEX_ARRAY),
        N(GL_NORMAL_ARRAY), N(GL_COLOR_ARRAY), N(GL_INDEX_ARRAY), N(GL_TEXTURE_COORD_ARRAY),
        N(GL_EDGE_FLAG_ARRAY), N(GL_V2F), N(GL_V3F), N(GL_C4UB_V2F), N(GL_C4UB_V3F), N(GL_C3F_V3F),
        N(GL_N3F_V3F), N(GL_C4F_N3F_V3F), N(GL_T2F_V3F), N(GL_T4F_V4F), N(GL_T2F_C4UB_V3F), N(GL_T2F_C3F_V3F),
        N(GL_T2F_N3F_V3F), N(GL_T2F_C4F_N3F_V3F), N(GL_T4F_C4F_N3F_V4F), N(GL_BGR_EXT), N(GL_BGRA_EXT),
        N(GL_LIGHT0), N(GL_LIGHT1), N(GL_LIGHT2), N(GL_LIGHT3), N(GL_LIGHT4), N(GL_LIGHT5), N(GL_LIGHT6),
        N(GL_LIGHT7), N(GL_CLAMP_TO_EDGE), N(GL_TEXTURE0_ARB), N(GL_TEXTURE1_ARB), N(GL_POINT_SIZE_MIN_EXT),
        N(GL_POINT_SIZE_MAX_EXT), N(GL_POINT_FADE_THRESHOLD_SIZE_EXT), N(GL_DISTANCE_ATTENUATION_EXT),
        N(GL_CULL_VERTEX_OBJECT_POSITION_EXT), N(GL_COMBINE_EXT), N(GL_MAX_TEXTURE_UNITS_ARB),
        N(GL_CULL_VERTEX_EXT), N(GL_CULL_VERTEX_EYE_POSITION_EXT), N(GL_VERTEX_WEIGHT_ARRAY_EXT), N(GL_ADD),
    };
#undef N
    // clang-format on
    return names;
}

std::string Hex(std::uint64_t value)
{
    char buffer[24] = "0x";
    auto end = std::to_chars(buffer + 2, buffer + sizeof buffer, value, 16).ptr;
    return {buffer, end};
}

std::string EnumText(GLenum value)
{
    const auto& names = EnumNames();
    auto it = names.find(value);
    return it != names.end() ? it->second : Hex(value);
}

std::string ModeText(GLenum value)
{
    static const char* const modes[] = {"GL_POINTS",     "GL_LINES",          "GL_LINE_LOOP",    "GL_LINE_STRIP",
                                        "GL_TRIANGLES",  "GL_TRIANGLE_STRIP", "GL_TRIANGLE_FAN", "GL_QUADS",
                                        "GL_QUAD_STRIP", "GL_POLYGON"};
    return value < std::size(modes) ? modes[value] : Hex(value);
}

std::string BlendText(GLenum value)
{
    if (value == GL_ZERO)
        return "GL_ZERO";
    if (value == GL_ONE)
        return "GL_ONE";
    return EnumText(value);
}

std::string BitsText(GLbitfield value)
{
    static const std::pair<GLbitfield, const char*> bits[] = {{GL_COLOR_BUFFER_BIT, "GL_COLOR_BUFFER_BIT"},
                                                              {GL_DEPTH_BUFFER_BIT, "GL_DEPTH_BUFFER_BIT"},
                                                              {GL_STENCIL_BUFFER_BIT, "GL_STENCIL_BUFFER_BIT"}};
    std::string text;
    for (auto [bit, name] : bits) {
        if (value & bit) {
            text += text.empty() ? "" : " | ";
            text += name;
            value &= ~bit;
        }
    }
    if (value != 0 || text.empty()) {
        text += text.empty() ? "" : " | ";
        text += Hex(value);
    }
    return text;
}

template <typename T>
std::string NumberText(T value)
{
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return {buffer, end};
}

// A float or int that carries an enum when it holds one of the known values.
template <typename T>
std::string EnumOrNumberText(T value)
{
    const double v = static_cast<double>(value);
    if (v >= 2 && v <= 0xFFFF && v == static_cast<double>(static_cast<GLenum>(v))) {
        auto it = EnumNames().find(static_cast<GLenum>(v));
        if (it != EnumNames().end())
            return it->second;
    }
    return NumberText(value);
}

// How many values a pname-sized array parameter holds.
std::size_t ValuesForPname(GLenum pname)
{
    switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_POSITION:
    case GL_EMISSION:
    case GL_AMBIENT_AND_DIFFUSE:
    case GL_LIGHT_MODEL_AMBIENT:
    case GL_TEXTURE_ENV_COLOR:
    case GL_OBJECT_PLANE:
    case GL_EYE_PLANE:
    case GL_CULL_VERTEX_EYE_POSITION_EXT:
    case GL_CULL_VERTEX_OBJECT_POSITION_EXT:
    case GL_VIEWPORT:
    case GL_SCISSOR_BOX:
    case GL_COLOR_CLEAR_VALUE:
    case GL_CURRENT_COLOR:
        return 4;
    case GL_SPOT_DIRECTION:
    case GL_COLOR_INDEXES:
    case GL_DISTANCE_ATTENUATION_EXT:
        return 3;
    case GL_DEPTH_RANGE:
    case GL_MAX_VIEWPORT_DIMS:
        return 2;
    case GL_MODELVIEW_MATRIX:
    case GL_PROJECTION_MATRIX:
    case GL_TEXTURE_MATRIX:
        return 16;
    default:
        return 1;
    }
}

std::size_t TypeSize(GLenum type)
{
    switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE:
        return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
        return 2;
    case GL_INT:
    case GL_UNSIGNED_INT:
    case GL_FLOAT:
        return 4;
    default:
        return 0;
    }
}

std::size_t ComponentsOf(GLenum format)
{
    switch (format) {
    case GL_RGBA:
    case GL_BGRA_EXT:
        return 4;
    case GL_RGB:
    case GL_BGR_EXT:
        return 3;
    case GL_LUMINANCE_ALPHA:
        return 2;
    case GL_COLOR_INDEX:
    case GL_STENCIL_INDEX:
    case GL_DEPTH_COMPONENT:
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_ALPHA:
    case GL_LUMINANCE:
        return 1;
    default:
        return 0;
    }
}

// Copies are bounded so that a wild size in a test cannot take the machine down.
constexpr std::size_t kMaxCopy = std::size_t{64} << 20;

std::string DescriptorText(const PixelFormatDescriptor& d)
{
    return "{size=" + NumberText(d.size) + ", version=" + NumberText(d.version) + ", flags=" + Hex(d.flags) +
           ", type=" + NumberText(d.pixelType) + ", color=" + NumberText(d.colorBits) +
           ", depth=" + NumberText(d.depthBits) + ", stencil=" + NumberText(d.stencilBits) +
           ", layer=" + NumberText(d.layerType) + "}";
}

template <typename T>
void ReadArray(GlArg& arg, const T* data, std::size_t count, bool enums = false)
{
    if (data == nullptr) {
        arg.text = "null";
        return;
    }
    arg.pointer = data;
    arg.text = "[";
    for (std::size_t i = 0; i < count; ++i) {
        arg.values.push_back(static_cast<double>(data[i]));
        if (i)
            arg.text += ", ";
        // Floats in their own shortest form: 0.8f shows as 0.8, not as its double expansion.
        if constexpr (std::is_floating_point_v<T>)
            arg.text += NumberText(data[i]);
        else
            arg.text += enums ? EnumOrNumberText(data[i]) : NumberText(data[i]);
    }
    arg.text += "]";
}

void ReadIndices(GlArg& arg, const void* data, GLsizei count, GLenum type)
{
    arg.pointer = data;
    if (data == nullptr) {
        arg.text = "null";
        return;
    }
    std::size_t n = count > 0 ? static_cast<std::size_t>(count) : 0;
    if (n * 4 > kMaxCopy)
        n = 0;
    switch (type) {
    case GL_UNSIGNED_BYTE:
        ReadArray(arg, static_cast<const GLubyte*>(data), n);
        break;
    case GL_UNSIGNED_SHORT:
        ReadArray(arg, static_cast<const GLushort*>(data), n);
        break;
    case GL_UNSIGNED_INT:
        ReadArray(arg, static_cast<const GLuint*>(data), n);
        break;
    default:
        arg.text = "<ptr>";
        break;
    }
}

} // namespace

// The hooks reach the recorder's private answers and state.
struct RecordingHooks {
    static std::size_t UnpackAlignment()
    {
        if (active == nullptr)
            return 4;
        GLint a = active->unpackAlignment_;
        return (a == 1 || a == 2 || a == 4 || a == 8) ? static_cast<std::size_t>(a) : 4;
    }

    static std::intptr_t Result(std::string_view slot, std::intptr_t fallback)
    {
        if (active == nullptr)
            return fallback;
        auto it = active->results_.find(slot);
        return it != active->results_.end() ? it->second : fallback;
    }

    static void Store(GlCall&& call)
    {
        if (active != nullptr)
            active->records_.push_back(std::move(call));
    }

    static void SetEnabled(GLenum cap, bool on)
    {
        if (active == nullptr)
            return;
        if (on)
            active->enabled_.insert(cap);
        else
            active->enabled_.erase(cap);
    }

    static void Enable(GlCall&, GLenum cap) { SetEnabled(cap, true); }
    static void Disable(GlCall&, GLenum cap) { SetEnabled(cap, false); }

    static GLboolean IsEnabled(GlCall&, GLenum cap)
    {
        return active != nullptr && active->IsEnabled(cap) ? GL_TRUE : GL_FALSE;
    }

    static GLenum GetError(GlCall&)
    {
        if (active == nullptr || active->errors_.empty())
            return GL_NO_ERROR;
        GLenum error = active->errors_.front();
        active->errors_.erase(active->errors_.begin());
        return error;
    }

    static const GLubyte* GetString(GlCall&, GLenum name)
    {
        if (active == nullptr)
            return nullptr;
        auto it = active->strings_.find(name);
        return it != active->strings_.end() ? reinterpret_cast<const GLubyte*>(it->second.c_str()) : nullptr;
    }

    template <typename T>
    static void Fill(GlCall& call, GLenum pname, T* out, const std::map<GLenum, std::vector<T>>* answers)
    {
        if (out == nullptr)
            return;
        std::vector<T> values(ValuesForPname(pname), T{});
        if (answers != nullptr) {
            auto it = answers->find(pname);
            if (it != answers->end())
                values = it->second;
        }
        std::copy(values.begin(), values.end(), out);
        for (T v : values)
            call.args[1].values.push_back(static_cast<double>(v));
    }

    static void GetIntegerv(GlCall& call, GLenum pname, GLint* out)
    {
        Fill(call, pname, out, active ? &active->integers_ : nullptr);
    }

    static void GetFloatv(GlCall& call, GLenum pname, GLfloat* out)
    {
        Fill(call, pname, out, active ? &active->floats_ : nullptr);
    }

    static void GenTextures(GlCall& call, GLsizei n, GLuint* names)
    {
        if (names == nullptr || n <= 0)
            return;
        for (GLsizei i = 0; i < n; ++i) {
            names[i] = active ? active->nextTextureName_++ : 0;
            call.args[1].values.push_back(names[i]);
        }
    }

    static void PixelStorei(GlCall&, GLenum pname, GLint value)
    {
        if (active != nullptr && pname == GL_UNPACK_ALIGNMENT)
            active->unpackAlignment_ = value;
    }

    static GlContextHandle CreateContext(GlCall&, GlSurfaceHandle)
    {
        std::intptr_t fallback = active ? static_cast<std::intptr_t>(active->nextContext_++) : 0;
        return reinterpret_cast<GlContextHandle>(Result("wglCreateContext", fallback));
    }

    static int DeleteContext(GlCall&, GlContextHandle context)
    {
        int result = static_cast<int>(Result("wglDeleteContext", 1));
        if (result && active != nullptr && active->currentContext_ == context && context != nullptr) {
            active->currentContext_ = nullptr;
            active->currentSurface_ = nullptr;
        }
        return result;
    }

    static GlContextHandle GetCurrentContext(GlCall&) { return active ? active->currentContext_ : nullptr; }
    static GlSurfaceHandle GetCurrentDC(GlCall&) { return active ? active->currentSurface_ : nullptr; }

    static int MakeCurrent(GlCall&, GlSurfaceHandle surface, GlContextHandle context)
    {
        int result = static_cast<int>(Result("wglMakeCurrent", 1));
        if (result && active != nullptr) {
            active->currentSurface_ = context ? surface : nullptr;
            active->currentContext_ = context;
        }
        return result;
    }

    static GlProc GetProcAddress(GlCall&, const char* name);

    static int ChoosePixelFormat(GlCall&, GlSurfaceHandle, const PixelFormatDescriptor*)
    {
        return static_cast<int>(Result("choosePixelFormat", 1));
    }

    static int DescribePixelFormat(GlCall& call, GlSurfaceHandle, int, unsigned size, PixelFormatDescriptor* out)
    {
        if (out != nullptr && active != nullptr) {
            std::memcpy(out, &active->described_, std::min<std::size_t>(size, sizeof *out));
            call.args[3].text = DescriptorText(active->described_);
        }
        return static_cast<int>(Result("describePixelFormat", 1));
    }

    static int GetPixelFormat(GlCall&, GlSurfaceHandle) { return static_cast<int>(Result("getPixelFormat", 1)); }
    static int SetPixelFormat(GlCall&, GlSurfaceHandle, int, const PixelFormatDescriptor*)
    {
        return static_cast<int>(Result("setPixelFormat", 1));
    }
    static int SwapBuffers(GlCall&, GlSurfaceHandle) { return static_cast<int>(Result("swapBuffers", 1)); }

    static int SwapIntervalEXT(GlCall&, int interval)
    {
        int result = static_cast<int>(Result("wglSwapIntervalEXT", 1));
        if (result && active != nullptr)
            active->swapInterval_ = interval;
        return result;
    }

    static int GetSwapIntervalEXT(GlCall&) { return active ? active->swapInterval_ : 0; }
};

namespace {

// glTexImage2D's pixels: arguments 3, 4, 6 and 7 are width, height, format and type.
void ReadPixels(GlArg& arg, const void* data, const std::vector<GlArg>& previous)
{
    arg.pointer = data;
    if (data == nullptr) {
        arg.text = "null";
        return;
    }
    arg.text = "<pixels>";
    const double width = previous[3].number, height = previous[4].number;
    const std::size_t pixel =
        ComponentsOf(static_cast<GLenum>(previous[6].number)) * TypeSize(static_cast<GLenum>(previous[7].number));
    if (width <= 0 || height <= 0 || pixel == 0 || width * height * pixel * 2 > kMaxCopy)
        return;
    const std::size_t align = RecordingHooks::UnpackAlignment();
    std::size_t row = static_cast<std::size_t>(width) * pixel;
    row = (row + align - 1) / align * align;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    arg.bytes.assign(bytes, bytes + row * static_cast<std::size_t>(height));
}

// One argument, shown by its kind letter; `previous` holds the call's earlier arguments.
template <typename T>
GlArg FormatArg(char kind, T value, const std::vector<GlArg>& previous)
{
    GlArg arg;
    if constexpr (std::is_pointer_v<T>) {
        using Pointee = std::remove_cv_t<std::remove_pointer_t<T>>;
        arg.pointer = value;
        const GLenum pname = previous.empty() ? 0 : static_cast<GLenum>(previous.back().number);
        if constexpr (std::is_same_v<Pointee, GLfloat>) {
            switch (kind) {
            case '1':
                ReadArray(arg, value, 1);
                break;
            case '2':
                ReadArray(arg, value, 2);
                break;
            case '3':
                ReadArray(arg, value, 3);
                break;
            case '4':
                ReadArray(arg, value, 4);
                break;
            case 'M':
                ReadArray(arg, value, 16);
                break;
            case 'L':
                ReadArray(arg, value, ValuesForPname(pname));
                break;
            default:
                arg.text = value ? "out" : "null";
                break;
            }
        } else if constexpr (std::is_same_v<Pointee, GLint>) {
            if (kind == 'K')
                ReadArray(arg, value, ValuesForPname(pname), true);
            else
                arg.text = value ? "out" : "null";
        } else if constexpr (std::is_same_v<Pointee, GLuint>) {
            if (kind == 'N') {
                const double n = previous.empty() ? 0 : previous[0].number;
                ReadArray(arg, value, n > 0 && n * 4 <= kMaxCopy ? static_cast<std::size_t>(n) : 0);
            } else {
                arg.text = value ? "out" : "null";
            }
        } else if constexpr (std::is_same_v<Pointee, GLubyte>) {
            ReadArray(arg, value, kind == 'U' ? 3 : 0);
        } else if constexpr (std::is_same_v<Pointee, char>) {
            arg.text = value ? "\"" + std::string(value) + "\"" : "null";
        } else if constexpr (std::is_same_v<Pointee, PixelFormatDescriptor>) {
            if (kind == 'D' && value != nullptr) {
                arg.text = DescriptorText(*value);
                const auto* bytes = reinterpret_cast<const std::uint8_t*>(value);
                arg.bytes.assign(bytes, bytes + sizeof *value);
            } else {
                arg.text = value ? "out" : "null";
            }
        } else if constexpr (std::is_same_v<Pointee, void>) {
            if (kind == 'h') {
                arg.text = value ? "<handle>" : "null";
            } else if (kind == 'X') {
                ReadIndices(arg, value, static_cast<GLsizei>(previous[1].number),
                            static_cast<GLenum>(previous[2].number));
            } else if (kind == 'T') {
                ReadPixels(arg, value, previous);
            } else {
                arg.text = value ? (kind == 'O' ? "out" : "<ptr>") : "null";
            }
        } else {
            arg.text = value ? "<ptr>" : "null";
        }
    } else if constexpr (std::is_floating_point_v<T>) {
        arg.number = value;
        arg.text = kind == 'g' ? EnumOrNumberText(value) : NumberText(value);
    } else {
        arg.number = static_cast<double>(value);
        switch (kind) {
        case 'e':
            arg.text = EnumText(static_cast<GLenum>(value));
            break;
        case 'm':
            arg.text = ModeText(static_cast<GLenum>(value));
            break;
        case 'B':
            arg.text = BlendText(static_cast<GLenum>(value));
            break;
        case 'b':
            arg.text = BitsText(static_cast<GLbitfield>(value));
            break;
        case 'G':
            arg.text = EnumOrNumberText(static_cast<long long>(value));
            break;
        default:
            arg.text = NumberText(static_cast<long long>(value));
            break;
        }
    }
    return arg;
}

// The recording entry of one slot: records the call, then lets the hook (if any) answer.
template <FixedString Name, FixedString Kinds, typename Fn, auto Hook = nullptr>
struct Recorder;

template <FixedString Name, FixedString Kinds, typename R, typename... A, auto Hook>
struct Recorder<Name, Kinds, R(ORVEX_GL_APIENTRY*)(A...), Hook> {
    static_assert(Kinds.size() == sizeof...(A), "one kind letter per parameter");

    static R ORVEX_GL_APIENTRY Call(A... a)
    {
        GlCall call{std::string(Name.view()), {}};
        call.args.reserve(sizeof...(A));
        std::size_t i = 0;
        (call.args.push_back(FormatArg(Kinds.text[i++], a, call.args)), ...);
        (void)i;
        if constexpr (std::is_same_v<decltype(Hook), std::nullptr_t>) {
            RecordingHooks::Store(std::move(call));
            if constexpr (!std::is_void_v<R>)
                return R{};
        } else if constexpr (std::is_void_v<R>) {
            Hook(call, a...);
            RecordingHooks::Store(std::move(call));
        } else {
            R result = Hook(call, a...);
            RecordingHooks::Store(std::move(call));
            return result;
        }
    }
};

// Hooks by slot; slots not listed only record.
template <FixedString Name>
constexpr auto HookFor()
{
    constexpr std::string_view n = Name.view();
    if constexpr (n == "glEnable" || n == "glEnableClientState")
        return &RecordingHooks::Enable;
    else if constexpr (n == "glDisable" || n == "glDisableClientState")
        return &RecordingHooks::Disable;
    else if constexpr (n == "glIsEnabled")
        return &RecordingHooks::IsEnabled;
    else if constexpr (n == "glGetError")
        return &RecordingHooks::GetError;
    else if constexpr (n == "glGetString")
        return &RecordingHooks::GetString;
    else if constexpr (n == "glGetIntegerv")
        return &RecordingHooks::GetIntegerv;
    else if constexpr (n == "glGetFloatv")
        return &RecordingHooks::GetFloatv;
    else if constexpr (n == "glGenTextures")
        return &RecordingHooks::GenTextures;
    else if constexpr (n == "glPixelStorei")
        return &RecordingHooks::PixelStorei;
    else if constexpr (n == "wglCreateContext")
        return &RecordingHooks::CreateContext;
    else if constexpr (n == "wglDeleteContext")
        return &RecordingHooks::DeleteContext;
    else if constexpr (n == "wglGetCurrentContext")
        return &RecordingHooks::GetCurrentContext;
    else if constexpr (n == "wglGetCurrentDC")
        return &RecordingHooks::GetCurrentDC;
    else if constexpr (n == "wglMakeCurrent")
        return &RecordingHooks::MakeCurrent;
    else if constexpr (n == "wglGetProcAddress")
        return &RecordingHooks::GetProcAddress;
    else if constexpr (n == "choosePixelFormat")
        return &RecordingHooks::ChoosePixelFormat;
    else if constexpr (n == "describePixelFormat")
        return &RecordingHooks::DescribePixelFormat;
    else if constexpr (n == "getPixelFormat")
        return &RecordingHooks::GetPixelFormat;
    else if constexpr (n == "setPixelFormat")
        return &RecordingHooks::SetPixelFormat;
    else if constexpr (n == "swapBuffers")
        return &RecordingHooks::SwapBuffers;
    else if constexpr (n == "wglSwapIntervalEXT")
        return &RecordingHooks::SwapIntervalEXT;
    else if constexpr (n == "wglGetSwapIntervalEXT")
        return &RecordingHooks::GetSwapIntervalEXT;
    else
        return nullptr;
}

template <typename Fn>
GlProc AsProc(Fn fn)
{
    return reinterpret_cast<GlProc>(fn);
}

struct SlotTable {
    GlEntryPoints table{};
    std::unordered_map<std::string_view, GlProc> byName;
};

const SlotTable& RecordingTable()
{
    static const SlotTable slots = [] {
        SlotTable s;
#define ORVEX_RECORD_SLOT(ret, slot, params, letters, ...) \
    s.table.slot = &Recorder<#slot, letters, decltype(GlEntryPoints::slot), HookFor<#slot>()>::Call; \
    s.byName.emplace(#slot, AsProc(s.table.slot));
        ORVEX_GL_ENTRY_POINTS(ORVEX_RECORD_SLOT, ORVEX_RECORD_SLOT, ORVEX_RECORD_SLOT, ORVEX_RECORD_SLOT)
#undef ORVEX_RECORD_SLOT
        return s;
    }();
    return slots;
}

// ---------------------------------------------------------------- no-op table

const SlotTable& NoOpTable();

struct NoOpHooks {
    static const GLubyte* ORVEX_GL_APIENTRY GetString(GLenum) { return reinterpret_cast<const GLubyte*>(""); }
    static void ORVEX_GL_APIENTRY GetIntegerv(GLenum pname, GLint* out)
    {
        if (out)
            std::fill_n(out, ValuesForPname(pname), 0);
    }
    static void ORVEX_GL_APIENTRY GetFloatv(GLenum pname, GLfloat* out)
    {
        if (out)
            std::fill_n(out, ValuesForPname(pname), 0.0f);
    }
    static void ORVEX_GL_APIENTRY GenTextures(GLsizei n, GLuint* names)
    {
        if (names && n > 0)
            std::fill_n(names, n, 0u);
    }
    static int ORVEX_GL_APIENTRY DescribePixelFormat(GlSurfaceHandle, int, unsigned size, PixelFormatDescriptor* out)
    {
        if (out)
            std::memset(out, 0, std::min<std::size_t>(size, sizeof *out));
        return 0;
    }
    static GlProc ORVEX_GL_APIENTRY GetProcAddress(const char* name)
    {
        if (name == nullptr)
            return nullptr;
        auto it = NoOpTable().byName.find(name);
        return it != NoOpTable().byName.end() ? it->second : nullptr;
    }
};

const SlotTable& NoOpTable()
{
    static const SlotTable slots = [] {
        SlotTable s;
        s.table = NoOpGlEntryPoints();
        s.table.glGetString = &NoOpHooks::GetString;
        s.table.glGetIntegerv = &NoOpHooks::GetIntegerv;
        s.table.glGetFloatv = &NoOpHooks::GetFloatv;
        s.table.glGenTextures = &NoOpHooks::GenTextures;
        s.table.describePixelFormat = &NoOpHooks::DescribePixelFormat;
        s.table.wglGetProcAddress = &NoOpHooks::GetProcAddress;
#define ORVEX_NOOP_NAME(ret, slot, ...) s.byName.emplace(#slot, AsProc(s.table.slot));
        ORVEX_GL_ENTRY_POINTS(ORVEX_NOOP_NAME, ORVEX_NOOP_NAME, ORVEX_NOOP_NAME, ORVEX_NOOP_NAME)
#undef ORVEX_NOOP_NAME
        return s;
    }();
    return slots;
}

} // namespace

GlProc RecordingHooks::GetProcAddress(GlCall&, const char* name)
{
    if (name == nullptr || active == nullptr)
        return nullptr;
    if (active->missingProcs_.count(std::string_view(name)) != 0)
        return nullptr;
    const auto& byName = RecordingTable().byName;
    auto it = byName.find(name);
    return it != byName.end() ? it->second : nullptr;
}

// ---------------------------------------------------------------- RecordingGl

std::string GlCall::Text() const
{
    std::string text = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i)
            text += ", ";
        text += args[i].text;
    }
    return text + ")";
}

RecordingGl::RecordingGl()
{
    saved_ = gl;
    strings_ = {{GL_VENDOR, "Orvex"}, {GL_RENDERER, "RecordingGl"}, {GL_VERSION, "1.1"}, {GL_EXTENSIONS, ""}};
    integers_ = {{GL_MAX_TEXTURE_SIZE, {2048}}, {GL_MAX_TEXTURE_UNITS_ARB, {2}}};
    described_.size = sizeof(PixelFormatDescriptor);
    described_.version = 1;
    described_.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    described_.pixelType = PFD_TYPE_RGBA;
    described_.colorBits = 32;
    described_.depthBits = 24;
    described_.stencilBits = 8;
    enabled_ = {GL_DITHER}; // GL's initial state
    active = this;
    gl = RecordingTable().table;
}

RecordingGl::~RecordingGl()
{
    gl = saved_;
    if (active == this)
        active = nullptr;
}

std::vector<std::string> RecordingGl::Calls() const
{
    std::vector<std::string> calls;
    calls.reserve(records_.size());
    for (const auto& record : records_)
        calls.push_back(record.Text());
    return calls;
}

std::vector<std::string> RecordingGl::CallsTo(std::initializer_list<std::string_view> names) const
{
    std::vector<std::string> calls;
    for (const auto& record : records_)
        if (std::find(names.begin(), names.end(), record.name) != names.end())
            calls.push_back(record.Text());
    return calls;
}

std::string RecordingGl::Script() const
{
    std::string script;
    for (const auto& record : records_)
        script += record.Text() + "\n";
    return script;
}

std::size_t RecordingGl::Count(std::string_view name) const
{
    return static_cast<std::size_t>(
        std::count_if(records_.begin(), records_.end(), [&](const GlCall& c) { return c.name == name; }));
}

const GlCall* RecordingGl::Last(std::string_view name) const
{
    for (auto it = records_.rbegin(); it != records_.rend(); ++it)
        if (it->name == name)
            return &*it;
    return nullptr;
}

void RecordingGl::Clear()
{
    records_.clear();
}

void RecordingGl::SetString(GLenum name, std::string value)
{
    strings_[name] = std::move(value);
}
void RecordingGl::SetIntegers(GLenum pname, std::vector<GLint> values)
{
    integers_[pname] = std::move(values);
}
void RecordingGl::SetFloats(GLenum pname, std::vector<GLfloat> values)
{
    floats_[pname] = std::move(values);
}
void RecordingGl::QueueError(GLenum error)
{
    errors_.push_back(error);
}
void RecordingGl::SetNextTextureName(GLuint name)
{
    nextTextureName_ = name;
}
void RecordingGl::SetMissingProc(std::string name)
{
    missingProcs_.insert(std::move(name));
}
void RecordingGl::SetResult(std::string_view slot, std::intptr_t value)
{
    results_[std::string(slot)] = value;
}
void RecordingGl::SetDescribedFormat(const PixelFormatDescriptor& descriptor)
{
    described_ = descriptor;
}
bool RecordingGl::IsEnabled(GLenum cap) const
{
    return enabled_.count(cap) != 0;
}

GlProc RecordingGl::Entry(std::string_view slot)
{
    const auto& byName = RecordingTable().byName;
    auto it = byName.find(slot);
    return it != byName.end() ? it->second : nullptr;
}

std::string RecordingGl::Number(double value)
{
    return NumberText(value);
}
std::string RecordingGl::Number(float value)
{
    return NumberText(value);
}
std::string RecordingGl::Enum(GLenum value)
{
    return EnumText(value);
}

void InstallNoOpGl()
{
    gl = NoOpTable().table;
}
