// The one translation unit that compiles tinygltf's implementation.
#define TINYGLTF_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wpedantic"
#include "convert/import/TinyGltf.h"
#pragma GCC diagnostic pop
