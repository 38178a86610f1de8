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

namespace {

bool IsUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || (length == 2 && c < 0xC2) || i + length > text.size())
            return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

} // namespace

std::string AsUtf8(const std::string& text)
{
    if (IsUtf8(text))
        return text;
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
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
