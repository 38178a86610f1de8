#pragma once
// Images of the main toolbar's twelve buttons, in button order.
#include <QIcon>

#include <vector>

std::vector<QIcon> MainToolBarImages();
