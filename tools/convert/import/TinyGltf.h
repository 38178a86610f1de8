// tinygltf, compiled into the converter under a namespace of its own. Assimp's draco
// dependency exports another tinygltf build under the library's usual namespace; with one
// name the dynamic linker would mix the two builds' functions and data layouts.
// Pictures are decoded by the converter itself, so tinygltf's image codecs stay out.
#pragma once

#define TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#define tinygltf orvex_tinygltf
#include <tiny_gltf.h>
