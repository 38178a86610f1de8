#include "format/FormatCommon.h"

namespace orvex::format {

std::string CheckHeader(const FileHeader& header)
{
    if (header.signature.size() > 255)
        return "signature longer than 255 bytes";
    if (!FileRules::SignatureAccepted(header.signature.data(), header.signature.size()))
        return "signature does not begin with RIFF";
    if (header.version != kFileVersion)
        return "version is not 100";
    return {};
}

std::string StoredName(const std::string& name)
{
    return name.substr(0, FileRules::StoredNameLength(name.data(), name.size()));
}

} // namespace orvex::format
