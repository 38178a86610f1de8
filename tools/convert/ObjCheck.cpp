#include "convert/ObjCheck.h"

#include <vector>

namespace convert {

namespace {

bool Blank(std::uint8_t c) { return c == ' ' || c == '\t'; }

std::string Vertices(long long n) { return std::to_string(n) + (n == 1 ? " vertex" : " vertices"); }

struct Reference {
    std::size_t line;
    long long index;     // as written
    long long before;    // vertices defined before the element
};

} // namespace

bool CheckObjVertexIndices(const std::uint8_t* text, std::size_t size, std::string* error)
{
    long long vertices = 0;
    std::vector<Reference> references;
    std::size_t line = 1;
    for (std::size_t at = 0; at < size;) {
        std::size_t end = at;
        while (end < size && text[end] != '\n')
            ++end;
        std::size_t p = at;
        while (p < end && Blank(text[p]))
            ++p;
        if (p + 1 < end && Blank(text[p + 1])) {
            const std::uint8_t kind = text[p];
            if (kind == 'v') {
                ++vertices;
            } else if (kind == 'f' || kind == 'l' || kind == 'p') {
                // Each element "v", "v/t", "v//n" or "v/t/n": the first number is the vertex.
                for (p += 2; p < end;) {
                    while (p < end && Blank(text[p]))
                        ++p;
                    if (p >= end || text[p] == '#' || text[p] == '\r')
                        break;
                    bool negative = text[p] == '-';
                    std::size_t digits = p + (negative || text[p] == '+');
                    long long value = 0;
                    for (; digits < end && text[digits] >= '0' && text[digits] <= '9'; ++digits)
                        value = value < 1'000'000'000'000LL ? value * 10 + (text[digits] - '0') : value;
                    if (value != 0)
                        references.push_back({line, negative ? -value : value, vertices});
                    p = digits;
                    while (p < end && !Blank(text[p]))
                        ++p;
                }
            }
        }
        at = end + 1;
        ++line;
    }
    for (const Reference& r : references) {
        if (r.index > vertices) {
            *error = "line " + std::to_string(r.line) + ": vertex " + std::to_string(r.index) + " is named, and the file has " +
                     Vertices(vertices);
            return false;
        }
        if (r.index < 0 && -r.index > r.before) {
            *error = "line " + std::to_string(r.line) + ": vertex " + std::to_string(r.index) + " is named, and " +
                     Vertices(r.before) + (r.before == 1 ? " comes" : " come") + " before it";
            return false;
        }
    }
    return true;
}

} // namespace convert
