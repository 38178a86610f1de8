// Quorvan's application icon, drawn by code at any size: the window icon and the PNGs the
// desktop entry uses (rendered at build time) are the same picture.
#pragma once

#include "framework/Image.h"

// The icon as a size x size picture with a transparent surround; an empty image when size
// is not positive.
fw::Image DrawQuorvanIcon(int size);
