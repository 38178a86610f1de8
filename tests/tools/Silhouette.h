// Silhouettes of a model in pictures of two renderers: the pixels that differ from the
// background, and how much two such masks overlap.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tooltest {

struct Mask {
    int width = 0, height = 0;
    std::vector<std::uint8_t> inside; // 1 where the model is
    std::size_t Count() const;
};

// The PNG's pixels whose colour differs from `background` (red, green, blue) by more than
// `tolerance` in some channel. The bottom `ignoreRows` rows count as background (a viewer's
// progress bar lives there). Empty when the file cannot be read.
Mask Silhouette(const std::string& png, const std::uint8_t background[3], int tolerance, int ignoreRows = 0);

// Intersection over union of two masks of one size; -1 when the sizes differ or both are empty.
double IntersectionOverUnion(const Mask& a, const Mask& b);

} // namespace tooltest
