#include "convert/Names.h"

namespace convert {

std::string Truncated(const std::string& name, std::size_t limit)
{
    if (name.size() <= limit)
        return name;
    std::size_t cut = limit;
    // Step back over UTF-8 continuation bytes so that no character is cut in half.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut);
}

std::string FitName(const std::string& name, const std::string& fallback, std::size_t limit,
                    std::set<std::string>* taken)
{
    std::string base = Truncated(name.empty() ? fallback : name, limit);
    if (!taken)
        return base;
    std::string candidate = base;
    for (int n = 2; taken->count(candidate); ++n) {
        std::string suffix = "_" + std::to_string(n);
        candidate = Truncated(base, limit - suffix.size()) + suffix;
    }
    taken->insert(candidate);
    return candidate;
}

std::string FileSafe(const std::string& name)
{
    std::string out = name;
    for (char& c : out) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!keep)
            c = '_';
    }
    return out;
}

} // namespace convert
