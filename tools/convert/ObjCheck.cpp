#include "convert/ObjCheck.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace convert {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string Vertices(long long n) { return std::to_string(n) + (n == 1 ? " vertex" : " vertices"); }

bool LineEnd(std::uint8_t c) { return c == '\n' || c == '\r' || c == '\f' || c == 0; }

// The text as Assimp reads it: lines, a backslash at a line's end joining the next, and
// the line numbers (counted in line feeds) where each began.
std::vector<std::pair<std::size_t, std::string>> LogicalLines(const std::uint8_t* text, std::size_t size)
{
    std::vector<std::pair<std::size_t, std::string>> lines;
    std::size_t number = 1, first = 1;
    std::string line;
    for (std::size_t at = 0; at <= size; ++at) {
        if (at < size && !LineEnd(text[at])) {
            line += static_cast<char>(text[at]);
            continue;
        }
        if (at < size && !line.empty() && line.back() == '\\') {
            line.back() = ' ';
        } else {
            lines.push_back({first, line});
            line.clear();
            first = number + (at < size && text[at] == '\n');
        }
        number += at < size && text[at] == '\n';
    }
    return lines;
}

// The line's first word, after leading blanks.
std::string FirstWord(const std::string& line)
{
    std::size_t p = 0;
    while (p < line.size() && Blank(line[p]))
        ++p;
    std::size_t end = p;
    while (end < line.size() && !Blank(line[end]))
        ++end;
    return line.substr(p, end - p);
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

bool CheckMaterialLibrary(const std::uint8_t* text, std::size_t size, std::string* error)
{
    // Assimp drops a byte order mark before it reads.
    if (size >= 3 && text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF) {
        text += 3;
        size -= 3;
    }
    for (const auto& [number, line] : LogicalLines(text, size)) {
        std::string word = FirstWord(line);
        if (word == "newmtl")
            return true;
        if (word.empty() || word[0] == '#')
            continue;
        for (char& c : word)
            if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
                c = '?';
        *error = "line " + std::to_string(number) + ": \"" + word.substr(0, 24) + "\" comes before any newmtl";
        return false;
    }
    return true;
}

std::vector<std::string> MaterialLibraries(const std::uint8_t* text, std::size_t size)
{
    std::vector<std::string> names;
    for (const auto& [number, line] : LogicalLines(text, size)) {
        if (FirstWord(line) != "mtllib")
            continue;
        std::size_t start = line.find("mtllib") + 6;
        std::vector<std::string> words = Words(line, start);
        names.insert(names.end(), words.begin(), words.end());
        std::size_t first = line.find_first_not_of(" \t", start), last = line.find_last_not_of(" \t");
        if (first != std::string::npos && words.size() > 1)
            names.push_back(line.substr(first, last - first + 1));
    }
    return names;
}

} // namespace convert
