// One whole conversion, as orvex-convert runs it: import, choose the clip, bake, write.
#pragma once

#include "convert/bake/Bake.h"
#include "convert/import/Import.h"

#include <string>
#include <vector>

namespace convert {

class Progress;

struct ConvertOptions {
    std::string input;
    std::string outBase;   // files become outBase.mes, outBase.knx, <folder of outBase>/<texture>.TGA
    std::string animation; // clip index or name; empty: the first clip
    double scale = 1.0;
    bool center = false; // move the meshes' middle at the stored pose to the origin
    Importer importer = Importer::Automatic;
};

struct ConvertReport {
    std::string format; // what the importer read
    std::vector<std::string> clipNames;
    int clip = -1; // the clip written, -1 for none
    BakedScene baked;
    std::vector<std::string> files; // written, in order
    // One line for each part of the file dropped, replaced or approximated: the
    // conversion is partial when there is any.
    std::vector<std::string> warnings;
    // Faults in parts of the file the conversion does not use.
    std::vector<std::string> notes;
    Vec3 centerOffset; // what --center added to the roots' positions
    double importSeconds = 0, bakeSeconds = 0, writeSeconds = 0;
};

// A .knx holds a key for every node at every frame. Beyond this many (a file of about
// 60 MB, an hour of a 30-node skeleton) a clip is not baked: a single damaged key time
// (a two-second walk whose last key says fourteen hours) asks for it from a few bytes.
inline constexpr double MaxAnimationKeys = 1 << 21;

// The frames a clip is baked to at the given rate, at least.
double ClipFrames(const Clip& clip, double framesPerSecond);

// Picks the clip named by `animation` (an index or a name) among `names`; empty picks the
// first clip, or none when there is none. False with a message when nothing matches.
bool ChooseClip(const std::vector<std::string>& names, const std::string& animation, int* clip, std::string* error);

// The steps between reading and writing: choosing the clip, baking, centring. The
// report gets the content's warnings and notes, and the baker's.
bool BakeContent(const Content& content, const ConvertOptions& options, const std::string& texturePrefix,
                 ConvertReport* report, std::string* error);

// False with a message, leaving no output file behind, when any step fails. A refused
// file gets one line per fault, each starting with the input's path.
// An animation whose every channel was dropped is never written as if it were the clip,
// nor one that would take more keys than the converter writes: asked for by name or
// index it is refused; chosen by default, the scene is written without animation and a
// warning says why.
bool RunConversion(const ConvertOptions& options, Progress* progress, ConvertReport* report, std::string* error);

// The last line of a conversion: "done in ..." when nothing was lost, else "partial
// conversion in ...", with the count of warnings that say what.
std::string FinishLine(const ConvertReport& report, double seconds);

} // namespace convert
