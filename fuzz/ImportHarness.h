// What the import harnesses share: a converted model goes through the same steps as in
// orvex-convert after reading (clip choice, baking, centring), without writing files.
#pragma once

#include "convert/Convert.h"
#include "convert/import/Sampler.h"

inline void BakeImported(convert::Content& content)
{
    // A long clip runs the same code as a short one, only longer: beyond this many keys
    // (frames times nodes) an input would take seconds under the sanitizers.
    constexpr double MaxKeys = 1 << 17;
    for (convert::Clip& clip : content.clips)
        if (convert::ClipDuration(clip) * 20 * static_cast<double>(content.nodes.size()) > MaxKeys)
            clip.channels.clear();
    convert::ConvertOptions options;
    options.center = true;
    convert::ConvertReport report;
    std::string error;
    convert::BakeContent(content, options, "fuzz", &report, &error);
}
