#include "format/FormatCommon.h"

namespace orvex::format {

std::string CheckHeader(const FileHeader& header)
{
    if (header.signature.size() > 255)
        return "signature longer than 255 bytes";
    if (header.signature.compare(0, 4, "RIFF") != 0)
        return "signature does not begin with RIFF";
    if (header.version != kFileVersion)
        return "version is not 100";
    return {};
}

} // namespace orvex::format
