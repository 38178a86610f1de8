#pragma once
// The framework's pictures (fw::Image: straight alpha, rows from the top) as the window system's
// bitmaps, icons and image lists.
#include "framework/Image.h"
#include "framework/Types.h"
#include "framework/win32/Win32Headers.h"

#include <vector>

namespace fw::win32 {

// A 32-bit top-down DIB section of the picture; premultiplied for AlphaBlend and image lists.
HBITMAP MakeBitmap(const Image& image, bool premultiplied);
// The picture's mask: set (transparent) where alpha is below one half.
HBITMAP MakeMask(const Image& image);
// An icon of the picture; null for a null image.
HICON MakeIcon(const Image& image);
// An image list of 32-bit pictures with masks, each scaled to size; null when it cannot be made.
HIMAGELIST MakeImageList(const std::vector<Image>& images, Size size);

} // namespace fw::win32
