#include "render/GlApi.h"

GlEntryPoints gl{};
