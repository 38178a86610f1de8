#pragma once
// A numbered list of equally sized images that list and tree controls refer to by index.
#include <QIcon>
#include <QSize>

#include <vector>

namespace fw {

class ImageList {
public:
    // Colour depth and mask flags of the images; Qt keeps every image in 32-bit ARGB, so they
    // only describe what was asked for.
    static constexpr unsigned Color32 = 0x20;
    static constexpr unsigned Mask = 0x01;

    bool Create(int cx, int cy, unsigned flags, int initial, int grow);
    bool IsCreated() const { return m_created; }
    // Appends icon scaled to the list's image size; its index, or -1 before Create.
    int Add(const QIcon& icon);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    QSize ImageSize() const { return m_size; }
    unsigned Flags() const { return m_flags; }
    QIcon Image(int index) const; // null when out of range

private:
    bool m_created = false;
    QSize m_size;
    unsigned m_flags = 0;
    std::vector<QIcon> m_images;
};

} // namespace fw
