#include "convert/import/ObjCheck.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <vector>

namespace convert {

namespace {

bool Blank(char c)
{
    return c == ' ' || c == '\t';
}

bool LineEnd(char c)
{
    return c == '\n' || c == '\r' || c == '\f' || c == 0;
}

bool SpaceOrLineEnd(char c)
{
    return Blank(c) || LineEnd(c);
}

std::string Vertices(long long n)
{
    return std::to_string(n) + (n == 1 ? " vertex" : " vertices");
}

struct Line {
    std::size_t number; // counted in line feeds
    std::string text;   // what the parser is given; it reads up to the first line end in it
};

// An OBJ text's lines as Assimp 5.2 hands them to its parser. A line ends at a line feed,
// carriage return, form feed or NUL. A backslash just before such an end joins the lines,
// though not as an editor would: the backslash goes, everything up to the next line feed
// goes, and the character after that is taken as it is, even when it ends the line. Past the
// end of the text Assimp reads line feeds, so a backslash as the last byte is dropped too.
std::vector<Line> ObjLines(const std::uint8_t* data, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<Line> lines;
    std::size_t number = 1;
    Line line{1, {}};
    for (std::size_t at = 0; at < size;) {
        if (text[at] == '\\' && (at + 1 == size || LineEnd(text[at + 1]))) {
            for (++at; at < size && text[at] != '\n'; ++at) {
            }
            if (at + 1 >= size)
                break;
            ++number;
            ++at;
            number += text[at] == '\n';
            line.text += text[at++];
            continue;
        }
        if (LineEnd(text[at])) {
            number += text[at++] == '\n';
            lines.push_back(std::move(line));
            line = Line{number, {}};
            continue;
        }
        line.text += text[at++];
    }
    lines.push_back(std::move(line));
    return lines;
}

// Assimp counts a word as a number when it starts like one, or spells nan or inf.
bool Numeric(const char* word)
{
    auto is = [&](const char* name) {
        for (int i = 0; i < 3; ++i)
            if (std::tolower(static_cast<unsigned char>(word[i])) != name[i])
                return false;
        return true;
    };
    return (*word >= '0' && *word <= '9') || *word == '-' || *word == '+' || is("nan") || is("inf");
}

// The numbers of a "v" line (its text after the "v"), counted as Assimp counts them to
// tell a position (3, 4 or 6 numbers) from a line it skips.
int VertexNumbers(const std::string& text)
{
    const char* p = text.c_str();
    const char* const end = p + text.size();
    int numbers = 0;
    for (;;) {
        if (p[0] == '\\' && p + 1 < end && LineEnd(p[1]))
            p += 2;
        while (Blank(*p))
            ++p;
        if (p >= end || LineEnd(*p))
            return numbers;
        numbers += Numeric(p);
        while (!SpaceOrLineEnd(*p))
            ++p;
        while (Blank(*p))
            ++p;
        if (p >= end || LineEnd(*p))
            return numbers;
    }
}

struct Reference {
    std::size_t line;
    long long index;  // as Assimp reads it
    long long before; // vertices defined before the element
};

// The vertex indices of a face, line or point element as Assimp 5.2 reads them: after the
// statement's first word, character by character. A number is read as atoi reads it and
// then steps on by as many characters as its value has digits, so "2-9" names vertices 2
// and -9, and "007" names vertex 7 three times; a slash moves on to the texture and normal
// indices, whose faults Assimp steps around. Empty when Assimp may read the element; else
// why it is refused here.
std::string ElementIndices(const std::string& text, std::size_t number, long long before, std::vector<Reference>* out)
{
    const char* p = text.c_str();
    const char* const end = p + text.size();
    while (!SpaceOrLineEnd(*p))
        ++p;
    while (Blank(*p))
        ++p;
    int position = 0;
    while (p < end && !LineEnd(*p)) {
        if (*p == '/' || Blank(*p)) {
            position = *p == '/' ? position + 1 : 0;
            ++p;
            continue;
        }
        const long value = std::strtol(p, nullptr, 10);
        // Beyond int, Assimp's step would leave the line and read what an earlier, longer
        // line left in its buffer.
        if (value < INT_MIN || value > INT_MAX)
            return "the index " + std::string(p, std::find_if(p, end, SpaceOrLineEnd)) + " is beyond what Assimp reads";
        if (value == 0)
            return {}; // Assimp refuses the file here, before it builds anything
        if (position == 0)
            out->push_back({number, value, before});
        std::size_t step = 1 + (value < 0);
        for (long rest = value / 10; rest != 0; rest /= 10)
            ++step;
        p += step;
    }
    return {};
}

// The line's first word, after leading blanks.
std::string FirstWord(const std::string& line)
{
    std::size_t p = 0;
    while (p < line.size() && Blank(line[p]))
        ++p;
    std::size_t end = p;
    while (end < line.size() && !SpaceOrLineEnd(line[end]))
        ++end;
    return line.substr(p, end - p);
}

} // namespace

bool CheckObjVertexIndices(const std::uint8_t* text, std::size_t size, std::string* error)
{
    long long vertices = 0;
    std::vector<Reference> references;
    for (const Line& line : ObjLines(text, size)) {
        const std::string& t = line.text;
        // The statement is the line's first character, where Assimp looks: a line that
        // starts with a blank is skipped, and any word starting with f, l or p is an element.
        if (t.size() >= 2 && t[0] == 'v' && Blank(t[1])) {
            // A position has 3 numbers, 4 with a weight, 6 with a colour; Assimp skips any
            // other line.
            const int numbers = VertexNumbers(t.substr(1));
            vertices += numbers == 3 || numbers == 4 || numbers == 6;
        } else if (!t.empty() && (t[0] == 'f' || t[0] == 'l' || t[0] == 'p')) {
            const std::size_t first = references.size();
            std::string why = ElementIndices(t, line.number, vertices, &references);
            // A line of one vertex has no segment: Assimp refuses it, but only after it has
            // built the groups before (and never frees them).
            if (why.empty() && t[0] == 'l' && references.size() - first == 1)
                why = "a line element needs two vertices, and this one names one";
            if (!why.empty()) {
                *error = "line " + std::to_string(line.number) + ": " + why;
                return false;
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
    // The library is read as one text, without joined lines. Every line but the first is
    // read from its first word: Assimp skips the blanks before it only on its way from one
    // line to the next, so a first line starting with a blank is not read at all.
    const char* chars = reinterpret_cast<const char*>(text);
    std::size_t number = 1;
    for (std::size_t start = 0; start <= size;) {
        std::size_t end = start;
        while (end < size && !LineEnd(chars[end]))
            ++end;
        const std::string line(chars + start, end - start);
        if (start > 0 || line.empty() || !Blank(line[0])) {
            std::string word = FirstWord(line);
            if (word == "newmtl")
                return true;
            if (!word.empty() && word[0] != '#') {
                for (char& c : word)
                    if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
                        c = '?';
                *error = "line " + std::to_string(number) + ": \"" + word.substr(0, 24) + "\" comes before any newmtl";
                return false;
            }
        }
        number += end < size && chars[end] == '\n';
        start = end + 1;
    }
    return true;
}

std::vector<std::string> MaterialLibraries(const std::uint8_t* text, std::size_t size)
{
    std::vector<std::string> names;
    for (const Line& l : ObjLines(text, size)) {
        const std::string line = l.text.substr(0, std::find_if(l.text.begin(), l.text.end(), LineEnd) - l.text.begin());
        if (FirstWord(line) != "mtllib")
            continue;
        std::size_t start = line.find("mtllib") + 6;
        std::size_t first = line.find_first_not_of(" \t", start);
        if (first == std::string::npos)
            continue;
        // Assimp 5.2 opens the whole rest of the line as one name, blanks and all; other
        // versions read each word.
        std::vector<std::string> words;
        for (std::size_t p = first; p < line.size();) {
            std::size_t stop = line.find_first_of(" \t", p);
            if (stop == std::string::npos)
                stop = line.size();
            words.push_back(line.substr(p, stop - p));
            p = line.find_first_not_of(" \t", stop);
            if (p == std::string::npos)
                break;
        }
        names.insert(names.end(), words.begin(), words.end());
        std::size_t last = line.find_last_not_of(" \t");
        if (words.size() > 1)
            names.push_back(line.substr(first, last - first + 1));
        if (last + 1 < line.size())
            names.push_back(line.substr(first));
    }
    return names;
}

} // namespace convert
