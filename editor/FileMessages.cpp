#include "FileMessages.h"

#include "framework/Paths.h"
#include "orvex/foundation/FileRefusal.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

bool IsValidUtf8(const unsigned char* text, size_t length)
{
    size_t i = 0;
    while (i < length) {
        const unsigned char lead = text[i];
        size_t extra = 0;
        uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= length)
            return false; // cut short
        for (size_t k = 1; k <= extra; ++k) {
            if ((text[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (text[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values past the last code point are not UTF-8.
        static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

std::string DescribeUnreadableFile(const std::string& path)
{
    const std::filesystem::path file = fw::PathFromUtf8(path);
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return "The file does not exist.";
    if (std::filesystem::is_directory(file, error))
        return "It is a folder, not a file.";
    errno = 0;
#ifdef _WIN32
    std::FILE* stream = _wfopen(file.wstring().c_str(), L"rb");
#else
    std::FILE* stream = std::fopen(path.c_str(), "rb");
#endif
    if (stream == nullptr) {
        const int reason = errno;
        if (reason != 0)
            return std::string("The file cannot be read: ") + std::strerror(reason) + ".";
        return "The file cannot be read.";
    }
    std::fclose(stream);
    return "The file cannot be read.";
}

std::string DescribeRefusal(const FileRefusal& refusal)
{
    char text[FileRefusal::kTextSize];
    refusal.Format(text, sizeof text);
    std::string sentence = FileNameText(text);
    if (!sentence.empty() && sentence[0] >= 'a' && sentence[0] <= 'z')
        sentence[0] = static_cast<char>(sentence[0] - 'a' + 'A');
    if (refusal.GetOffset() >= 0)
        sentence += " (at byte " + std::to_string(refusal.GetOffset()) + ")";
    return sentence + ".";
}

std::string FileNameText(const char* name)
{
    if (name == nullptr)
        return std::string();
    const size_t length = std::strlen(name);
    const auto* bytes = reinterpret_cast<const unsigned char*>(name);
    if (IsValidUtf8(bytes, length))
        return std::string(name, length);
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = bytes[i];
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

std::string NativePath(const std::string& path)
{
    return fw::Utf8FromPath(fw::PathFromUtf8(path).make_preferred());
}
