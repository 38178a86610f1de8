#include "orvex/foundation/FileRefusal.h"

#include <cstdio>
#include <cstring>

namespace {

// Appends to a bounded, always terminated text.
class TextOut {
public:
    TextOut(char* out, std::size_t size) : out(out), size(size)
    {
        if (size > 0)
            out[0] = '\0';
    }

    void Char(char c)
    {
        if (size > 0 && length + 1 < size) {
            out[length++] = c;
            out[length] = '\0';
        }
    }
    void Text(const char* text)
    {
        for (; *text != '\0'; ++text)
            Char(*text);
    }
    // Bytes below 0x20 and 0x7F as \xNN: a name may hold any byte, the text is one line.
    void Escaped(const char* text)
    {
        static const char hex[] = "0123456789ABCDEF";
        for (; *text != '\0'; ++text) {
            const auto byte = static_cast<unsigned char>(*text);
            if (byte < 0x20 || byte == 0x7F) {
                Char('\\');
                Char('x');
                Char(hex[byte >> 4]);
                Char(hex[byte & 15]);
            } else {
                Char(*text);
            }
        }
    }
    void Number(std::int32_t value)
    {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
        Text(digits);
    }
    std::size_t Length() const { return length; }

private:
    char* out;
    std::size_t size;
    std::size_t length = 0;
};

} // namespace

const char* FileSectionName(FileSection section)
{
    switch (section) {
    case FileSection::Unknown:
        return "";
    case FileSection::File:
        return "file";
    case FileSection::Header:
        return "header";
    case FileSection::Materials:
        return "material section";
    case FileSection::Nodes:
        return "node section";
    case FileSection::Meshes:
        return "mesh section";
    case FileSection::Tracks:
        return "track section";
    case FileSection::IdField:
        return "ID field";
    case FileSection::PixelData:
        return "pixel data";
    }
    return "";
}

void FileRefusal::Clear()
{
    depth = 0;
    section = FileSection::Unknown;
    offset = -1;
    reason[0] = '\0';
}

void FileRefusal::NoteReasonV(std::int64_t at, const char* format, std::va_list args)
{
    if (IsSet())
        return;
    offset = at;
    std::vsnprintf(reason, sizeof reason, format, args);
    if (reason[0] == '\0')
        std::snprintf(reason, sizeof reason, "refused");
}

void FileRefusal::NoteReason(std::int64_t at, const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    NoteReasonV(at, format, args);
    va_end(args);
}

void FileRefusal::AddRecord(const char* kind, std::int32_t index, const char* name)
{
    if (depth == kMaxDepth) {
        // Keep the outer records, which say where to look; drop the innermost.
        std::memmove(&records[0], &records[1], sizeof(Record) * (kMaxDepth - 1));
        --depth;
    }
    Record& record = records[depth++];
    record.kind = kind != nullptr ? kind : "record";
    record.index = index;
    record.named = name != nullptr;
    if (record.named)
        std::snprintf(record.name, sizeof record.name, "%s", name);
    else
        record.name[0] = '\0';
}

void FileRefusal::SetSection(FileSection fileSection)
{
    if (section == FileSection::Unknown)
        section = fileSection;
}

std::size_t FileRefusal::FormatRecord(char* out, std::size_t size) const
{
    TextOut text(out, size);
    for (std::size_t i = depth; i-- > 0;) {
        const Record& record = records[i];
        text.Text(record.kind);
        if (record.index >= 0) {
            text.Char(' ');
            text.Number(record.index);
        }
        if (record.named) {
            text.Text(" \"");
            text.Escaped(record.name);
            text.Char('"');
        }
        if (i > 0)
            text.Text(", ");
    }
    return text.Length();
}

std::size_t FileRefusal::FormatReason(char* out, std::size_t size) const
{
    TextOut text(out, size);
    text.Escaped(reason);
    return text.Length();
}

std::size_t FileRefusal::FormatWhere(char* out, std::size_t size) const
{
    TextOut text(out, size);
    text.Text(FileSectionName(section));
    if (depth > 0) {
        if (text.Length() > 0)
            text.Text(", ");
        const std::size_t used = text.Length();
        if (size > used)
            return used + FormatRecord(out + used, size - used);
    }
    return text.Length();
}

std::size_t FileRefusal::Format(char* out, std::size_t size) const
{
    std::size_t used = 0;
    if (depth > 0)
        used = FormatRecord(out, size);
    else if (section != FileSection::File && section != FileSection::Unknown)
        used = FormatWhere(out, size);
    else if (size > 0)
        out[0] = '\0';
    TextOut rest(out + used, size > used ? size - used : 0);
    if (used > 0)
        rest.Text(": ");
    rest.Escaped(IsSet() ? reason : "refused for a reason not noted");
    return used + rest.Length();
}
