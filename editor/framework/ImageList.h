#pragma once
// A numbered list of equally sized images that list and tree controls refer to by index.
#include "framework/Image.h"
#include "framework/Types.h"

#include <vector>

namespace fw {

class ImageList {
public:
    // Colour depth and mask flags of the images (every image keeps 32-bit pixels with alpha).
    static constexpr unsigned Color32 = 0x20;
    static constexpr unsigned Mask = 0x01;

    bool Create(int cx, int cy, unsigned flags, int initial, int grow);
    bool IsCreated() const { return m_created; }
    // Appends image scaled to the list's image size; its index, or -1 before Create or for a
    // null image.
    int Add(const Image& image);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    Size ImageSize() const { return m_size; }
    unsigned Flags() const { return m_flags; }
    const Image* GetImage(int index) const; // null when out of range

private:
    bool m_created = false;
    Size m_size;
    unsigned m_flags = 0;
    std::vector<Image> m_images;
};

} // namespace fw
