#include "convert/ObjCheck.h"

#include <cctype>
#include <vector>

namespace convert {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Vertices(long long n) { return std::to_string(n) + (n == 1 ? " vertex" : " vertices"); }

// The text as Assimp reads it: lines, a backslash at a line's end joining the next, and
// the line numbers where each began.
std::vector<std::pair<std::size_t, std::string>> LogicalLines(const std::uint8_t* text, std::size_t size)
{
    std::vector<std::pair<std::size_t, std::string>> lines;
    std::size_t number = 1;
    std::string line;
    std::size_t first = 1;
    for (std::size_t at = 0; at <= size; ++at) {
        if (at < size && text[at] != '\n') {
            line += static_cast<char>(text[at]);
            continue;
        }
        std::size_t end = line.size();
        while (end > 0 && line[end - 1] == '\r')
            --end;
        if (at < size && end > 0 && line[end - 1] == '\\') {
            line.resize(end - 1);
            line += ' ';
        } else {
            lines.push_back({first, line});
            line.clear();
            first = number + 1;
        }
        ++number;
    }
    return lines;
}

// Whitespace-separated words. Assimp 5.2 reads on past a '#' in these lines: a comment
// there makes it refuse the file before it builds anything.
std::vector<std::string> Words(const std::string& line, std::size_t from)
{
    std::vector<std::string> words;
    for (std::size_t p = from; p < line.size();) {
        while (p < line.size() && Blank(line[p]))
            ++p;
        if (p >= line.size())
            break;
        std::size_t end = p;
        while (end < line.size() && !Blank(line[end]))
            ++end;
        words.push_back(line.substr(p, end - p));
        p = end;
    }
    return words;
}

// Assimp counts a word as a number when it starts like one, or spells nan or inf.
bool Numeric(const std::string& word)
{
    char c = word[0];
    if ((c >= '0' && c <= '9') || c == '-' || c == '+')
        return true;
    std::string start = word.substr(0, 3);
    for (char& ch : start)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return start == "nan" || start == "inf";
}

struct Reference {
    std::size_t line;
    long long index;  // as written
    long long before; // vertices defined before the element
};

} // namespace

bool CheckObjVertexIndices(const std::uint8_t* text, std::size_t size, std::string* error)
{
    long long vertices = 0;
    std::vector<Reference> references;
    for (const auto& [number, line] : LogicalLines(text, size)) {
        std::size_t p = 0;
        while (p < line.size() && Blank(line[p]))
            ++p;
        if (p + 1 >= line.size() || !Blank(line[p + 1]))
            continue;
        const char kind = line[p];
        std::vector<std::string> words = Words(line, p + 2);
        if (kind == 'v') {
            // A position has 3 components, 4 with a weight, 6 with a colour; Assimp skips
            // any other line.
            std::size_t numbers = 0;
            for (const std::string& w : words)
                numbers += Numeric(w);
            vertices += numbers == 3 || numbers == 4 || numbers == 6;
        } else if (kind == 'f' || kind == 'l' || kind == 'p') {
            // Each element "v", "v/t", "v//n" or "v/t/n": the first number is the vertex.
            for (const std::string& w : words) {
                std::size_t d = w[0] == '-' || w[0] == '+';
                long long value = 0;
                for (; d < w.size() && w[d] >= '0' && w[d] <= '9'; ++d)
                    value = value < 1'000'000'000'000LL ? value * 10 + (w[d] - '0') : value;
                if (value != 0)
                    references.push_back({number, w[0] == '-' ? -value : value, vertices});
            }
        }
    }
    for (const Reference& r : references) {
        if (r.index > vertices) {
            *error = "line " + std::to_string(r.line) + ": vertex " + std::to_string(r.index) +
                     " is named, and the file has " + Vertices(vertices);
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
