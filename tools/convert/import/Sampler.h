// Evaluates the source's animation channels at any time, with the source's own
// interpolation (step, linear with slerp for rotations, cubic Hermite splines).
#pragma once

#include "convert/import/Content.h"

namespace convert {

int ComponentCount(Target target);

// The channel's value at `seconds` into the clip: before the first key it holds the first
// key's value, after the last key the last one's. Rotations come out normalised. Writes
// ComponentCount(target) values.
void SampleChannel(const Channel& channel, double seconds, double out[4]);

// The time of the clip's last key over all its channels (0 for a clip without keys).
double ClipDuration(const Clip& clip);

// Whether the channel's data is consistent: increasing times, enough values for its keys.
bool ChannelIsValid(const Channel& channel);

} // namespace convert
