#pragma once
// Images of the main toolbar's twelve buttons, in button order, drawn at 16 x 15 pixels, the
// desktop theme's icon names of the same buttons, and the node tree's item image.
#include "framework/Image.h"

#include <string>
#include <vector>

std::vector<fw::Image> MainToolBarImages();
std::vector<std::string> MainToolBarThemeNames();
// A page with a folded corner, size x size.
fw::Image DrawTreeItemImage(int size);
