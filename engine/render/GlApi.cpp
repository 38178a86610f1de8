#include "orvex/render/GlApi.h"

#include <type_traits>

GlEntryPoints gl{};

namespace {

// The do-nothing function of one slot type, with the slot's calling convention.
template <typename Slot>
struct NoOpEntry;

template <typename R, typename... A>
struct NoOpEntry<R(ORVEX_GL_APIENTRY*)(A...)> {
    static R ORVEX_GL_APIENTRY Call(A...)
    {
        if constexpr (!std::is_void_v<R>)
            return R{};
    }
};

} // namespace

GlEntryPoints NoOpGlEntryPoints()
{
    GlEntryPoints table{};
#define ORVEX_GL_NO_OP(ret, name, ...) table.name = &NoOpEntry<decltype(GlEntryPoints::name)>::Call;
    ORVEX_GL_ENTRY_POINTS(ORVEX_GL_NO_OP, ORVEX_GL_NO_OP, ORVEX_GL_NO_OP, ORVEX_GL_NO_OP)
#undef ORVEX_GL_NO_OP
    return table;
}
