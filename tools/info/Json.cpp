#include "info/Json.h"

#include <cmath>
#include <cstdio>

namespace info {

void Json::Separator()
{
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (!first.empty()) {
        if (!first.back())
            out += ",";
        first.back() = false;
        out += "\n" + std::string(2 * first.size(), ' ');
    }
}

void Json::BeginObject()
{
    Separator();
    out += "{";
    first.push_back(true);
}

void Json::EndObject()
{
    bool empty = first.back();
    first.pop_back();
    if (!empty)
        out += "\n" + std::string(2 * first.size(), ' ');
    out += "}";
}

void Json::BeginArray()
{
    Separator();
    out += "[";
    first.push_back(true);
}

void Json::EndArray()
{
    bool empty = first.back();
    first.pop_back();
    if (!empty)
        out += "\n" + std::string(2 * first.size(), ' ');
    out += "]";
}

Json& Json::Key(const std::string& key)
{
    Separator();
    Quote(key);
    out += ": ";
    afterKey = true;
    return *this;
}

void Json::String(const std::string& value)
{
    Separator();
    Quote(value);
}

void Json::Number(double value)
{
    Separator();
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    out += buffer;
}

void Json::Integer(long long value)
{
    Separator();
    out += std::to_string(value);
}

void Json::Bool(bool value)
{
    Separator();
    out += value ? "true" : "false";
}

void Json::Numbers(const float* values, int count)
{
    // Short arrays of numbers stay on one line.
    Separator();
    out += "[";
    for (int i = 0; i < count; ++i) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%s%.9g", i ? ", " : "", std::isfinite(values[i]) ? values[i] : 0.0);
        out += buffer;
    }
    out += "]";
}

void Json::Quote(const std::string& s)
{
    out += '"';
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            // A well-formed UTF-8 sequence is copied; any other byte is a Latin-1 character.
            int length = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
            bool valid = length > 0 && i + length <= s.size();
            for (int k = 1; valid && k < length; ++k)
                valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
            if (valid) {
                out.append(s, i, length);
                i += length - 1;
            } else {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            }
        }
    }
    out += '"';
}

} // namespace info
