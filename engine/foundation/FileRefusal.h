/// @file
/// Why a loader refused a file: the section, the records that hold the fault (outermost
/// first when printed), the byte offset at which it was found, and one sentence.
///
/// The loaders note the sentence where they detect the fault and name the enclosing records
/// on the way out, so nothing is done while a file is fine. Fixed-size buffers: noting a
/// reason never allocates.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

/// The part of a file a refusal is in.
enum class FileSection : std::uint8_t {
    Unknown,   ///< not named
    File,      ///< the file as a whole: it cannot be opened or read, or it is empty
    Header,    ///< the common header of .mes and .knx files, or the TGA header
    Materials, ///< .mes
    Nodes,     ///< .mes
    Meshes,    ///< .mes
    Tracks,    ///< .knx
    IdField,   ///< .tga
    PixelData, ///< .tga
};

/// "file", "header", "material section", "node section", "mesh section", "track section",
/// "ID field", "pixel data"; "" for Unknown.
const char* FileSectionName(FileSection section);

/// Why a loader refused a file (see the file's description). Each top-level loader owns one.
class FileRefusal {
public:
    static constexpr std::size_t kMaxDepth = 4;  ///< mesh, group, list and one spare
    static constexpr std::size_t kNameSize = 80; ///< names in engine files fit 79 bytes
    /// Room for the sentence, its terminator included.
    static constexpr std::size_t kReasonSize = 200;
    /// Enough for Format with every record named at full length.
    static constexpr std::size_t kTextSize = 640;

    FileRefusal() { Clear(); }

    /// Forgets everything noted: no reason, records or section, no offset.
    void Clear();
    /// True once a reason has been noted.
    bool IsSet() const { return reason[0] != '\0'; }

    /// Notes the sentence (printf-style) and the byte offset; -1 when no offset applies. The
    /// first reason noted stands: the fault is where it was first seen.
    void NoteReason(std::int64_t offset, const char* format, ...) __attribute__((format(printf, 3, 4)));
    /// NoteReason with the arguments in a va_list.
    void NoteReasonV(std::int64_t offset, const char* format, std::va_list args);
    /// Names a record that holds the fault: `kind` (a literal such as "mesh"), its index (or
    /// -1 for none) and its name (or null). Called innermost first; records past kMaxDepth
    /// are dropped from the inside.
    void AddRecord(const char* kind, std::int32_t index, const char* name);
    /// Names the section, unless one is named already.
    void SetSection(FileSection fileSection);

    /// The section named, or Unknown.
    FileSection GetSection() const { return section; }
    /// Byte offset of the field at fault from the start of the file, -1 when none applies.
    std::int64_t GetOffset() const { return offset; }
    /// The sentence as noted, names unescaped: "index 9 is not below the vertex count 3".
    const char* GetReason() const { return reason; }
    /// How many records are named (at most kMaxDepth).
    std::size_t GetRecordCount() const { return depth; }

    /// The following write zero-terminated text, cut to `size`, with control characters of
    /// names shown as `\xNN` so the text stays on one line. They return the length written.
    ///
    /// The records, outermost first: "mesh 0 \"tri\", group 0, list 0"; "" when none.
    std::size_t FormatRecord(char* out, std::size_t size) const;
    /// The sentence.
    std::size_t FormatReason(char* out, std::size_t size) const;
    /// The section and then the records: "mesh section, mesh 0 \"tri\", group 0".
    std::size_t FormatWhere(char* out, std::size_t size) const;
    /// One line for a person: the records (or the section when the fault is in the section
    /// itself, or nothing for the file as a whole), a colon and the sentence:
    /// "mesh 0 \"tri\", group 0, list 0: index 9 is not below the vertex count 3".
    std::size_t Format(char* out, std::size_t size) const;

private:
    struct Record {
        const char* kind;
        std::int32_t index;
        bool named;
        char name[kNameSize];
    };

    Record records[kMaxDepth];
    std::size_t depth;
    FileSection section;
    std::int64_t offset;
    char reason[kReasonSize];
};
