/// @file
/// Buffered binary file over the C library's FILE, the one way the engine reads its files.
///
/// Numbers are read and written in the machine's byte order (all engine files are
/// little-endian). Strings in files are length-prefixed: one length byte n, then n bytes
/// of 8-bit text, no terminator.
#pragma once

#include "orvex/foundation/FileRefusal.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

/// The open modes of FileStream::Open.
enum FileStreamMode {
    FileStreamWrite = 0,     ///< "wb": create or truncate
    FileStreamRead = 1,      ///< "rb": read an existing file
    FileStreamReadWrite = 2, ///< "r+b": read and write an existing file
};

/// A buffered binary file, the one way the engine reads its files (see the file's description).
class FileStream {
public:
    FileStream() = default;
    virtual ~FileStream();

    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    /// Closes the file; safe to run any number of times.
    virtual void Destroy();
    /// Opens `path` with mode 0, 1 or 2; any other mode opens nothing. Call on a closed stream.
    virtual bool Open(const char* path, int mode);
    /// Closes the file, if one is open.
    virtual void Close();

    /// True while a file is open.
    bool IsOpen() const { return file != nullptr; }

    /// Whole items read or written (fread / fwrite).
    std::size_t Read(void* buffer, std::size_t size, std::size_t count);
    /// Whole items written (fwrite).
    std::size_t Write(const void* buffer, std::size_t size, std::size_t count);

    /// Reads a length-prefixed string into `buffer`, which must hold at least n + 1 bytes,
    /// and zero-terminates it at n. Returns n; 0 (empty text) at the end of the file.
    int ReadString(char* buffer);
    /// As above for a buffer of `capacity` bytes. Returns -1, leaving an empty text and the
    /// stream just past the length byte, when the text would not fit with its terminator;
    /// -1 too when the file ends inside the text.
    int ReadString(char* buffer, std::size_t capacity);
    /// Writes a length byte and the text without terminator; a null text writes one zero
    /// byte. A text over 255 bytes cannot be encoded: returns 0 and writes nothing.
    int WriteString(const char* text);

    /// The next byte as 0..255, or -1 at the end of the file or on error.
    int GetC();
    /// fseek with origin 0 (start), 1 (current) or 2 (end); 0 on success.
    int Seek(std::int64_t offset, int origin);
    /// The position from the start of the file, -1 when closed or on error.
    std::int64_t Tell();

    /// Bytes between the current position and the end of the file (0 when closed); what a
    /// loader checks a record count against before it allocates.
    std::int64_t BytesLeft();
    /// Reads exactly count items; false when the file ends first.
    bool ReadExact(void* buffer, std::size_t size, std::size_t count) { return Read(buffer, size, count) == count; }
    /// True after a read failed for another reason than the end of the file.
    bool HasError() const;

    /// Why a loader refuses the file. A top-level loader hands the stream its own record;
    /// the loaders of the records inside note the reason through the stream. Without a
    /// record (the default) nothing is noted. Each of these returns false, so a loader can
    /// end with `return stream.Refuse(...)`.
    void SetRefusal(FileRefusal* record) { refusal = record; }
    /// The record reasons go to, or null.
    FileRefusal* GetRefusal() const { return refusal; }
    /// Notes the sentence (printf-style) at the offset of the field just read, `fieldSize`
    /// bytes before the current position; 0 gives the current position, which after a
    /// short read is the end of the file.
    bool Refuse(std::size_t fieldSize, const char* format, ...) __attribute__((format(printf, 3, 4)));
    /// Notes the sentence at an offset the caller knows.
    bool RefuseAt(std::int64_t offset, const char* format, ...) __attribute__((format(printf, 3, 4)));
    /// Names a record around the fault; innermost first, on the way out.
    bool Within(const char* kind, std::int32_t index, const char* name = nullptr);
    /// Names the section of the fault, unless an inner loader named one already.
    bool InSection(FileSection section);

    /// Checks a record count just read before anything is allocated from it: refuses, noting
    /// why, a negative count and one whose records, each at least `recordSize` bytes, and the
    /// `after` bytes that must follow them do not fit in the rest of the file.
    bool CountFits(std::int32_t count, std::int64_t recordSize, const char* what, std::int64_t after = 0);
    /// Opens `path` for reading (mode 1); when it cannot be opened, notes why (section File).
    bool OpenToRead(const char* path);
    /// Reads a length-prefixed text into a buffer of `capacity` bytes, as ReadString does,
    /// but refuses, noting why, a text that does not fit ("<what> of 80 bytes, at most 79
    /// fit"), that the file cuts short, or that the file has no byte left for.
    /// `length`, when given, receives the text's length byte.
    bool ReadName(char* buffer, std::size_t capacity, const char* what, std::size_t* length = nullptr);

private:
    std::FILE* file = nullptr;
    FileRefusal* refusal = nullptr; ///< not owned
};

/// The header every engine file starts with: a length-prefixed signature beginning with
/// "RIFF", then the 32-bit version number 100. True when the stream holds one; the stream
/// then stands just behind it. Otherwise false, with the reason noted (section Header, or
/// File for an empty or unreadable file).
bool ReadFileHeader(FileStream& stream);
