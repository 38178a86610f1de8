#include "framework/ImageList.h"

namespace fw {

bool ImageList::Create(int cx, int cy, unsigned flags, int initial, int grow)
{
    if (cx <= 0 || cy <= 0 || initial < 0 || grow < 0)
        return false;
    m_size = Size{cx, cy};
    m_flags = flags;
    m_images.clear();
    m_images.reserve(static_cast<size_t>(initial));
    m_created = true;
    return true;
}

int ImageList::Add(const Image& image)
{
    if (!m_created || image.IsNull())
        return -1;
    // Kept at the list's size so every item shows the same extent.
    m_images.push_back(image.width == m_size.cx && image.height == m_size.cy ? image
                                                                             : image.Scaled(m_size.cx, m_size.cy));
    return static_cast<int>(m_images.size()) - 1;
}

const Image* ImageList::GetImage(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return nullptr;
    return &m_images[static_cast<size_t>(index)];
}

} // namespace fw
