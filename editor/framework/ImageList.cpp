#include "framework/ImageList.h"

#include <QPixmap>

namespace fw {

bool ImageList::Create(int cx, int cy, unsigned flags, int initial, int grow)
{
    if (cx <= 0 || cy <= 0 || initial < 0 || grow < 0)
        return false;
    m_size = QSize(cx, cy);
    m_flags = flags;
    m_images.clear();
    m_images.reserve(static_cast<size_t>(initial));
    m_created = true;
    return true;
}

int ImageList::Add(const QIcon& icon)
{
    if (!m_created || icon.isNull())
        return -1;
    // Keep the image at the list's size so every item shows the same extent.
    m_images.emplace_back(icon.pixmap(m_size));
    return static_cast<int>(m_images.size()) - 1;
}

QIcon ImageList::Image(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return QIcon();
    return m_images[static_cast<size_t>(index)];
}

} // namespace fw
