// What the import harnesses share: a converted model goes through the same steps as in
// orvex-convert after reading (clip choice, baking, centring), without writing files.
#pragma once

#include "convert/Convert.h"

inline void BakeImported(const convert::Content& content)
{
    convert::ConvertOptions options;
    options.center = true;
    convert::ConvertReport report;
    std::string error;
    convert::BakeContent(content, options, "fuzz", &report, &error);
}
