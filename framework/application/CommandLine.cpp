#include "framework/application/CommandLine.h"

#include "framework/files/FileSpec.h"

#include <sys/stat.h>

namespace NSHarrowen {

namespace {

constexpr size_t kLeftoverShownMax = 63;
constexpr size_t kLeftoverTailLength = 61;
constexpr size_t kPathMax = 4096;
constexpr size_t kNameMax = 255;

// The end of the name that starts at p: the longest stretch ending before a
// blank or at the end that exists; npos when none does.
size_t LongestExistingEnd(std::string_view text, size_t p)
{
    size_t found = std::string_view::npos;
    size_t componentStart = p;
    for (size_t end = p + 1; end <= text.size(); ++end) {
        if (text[end - 1] == '/')
            componentStart = end;
        // No longer stretch can name anything: a path or one of its names
        // would be too long.
        if (end - p > kPathMax || end - componentStart > kNameMax)
            break;
        if ((end == text.size() || text[end] == ' ') && PathExists(std::string(text.substr(p, end - p))))
            found = end;
    }
    return found;
}

} // namespace

bool PathExists(const std::string& path)
{
    struct stat info { };
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

std::string LeftoverText(std::string_view text, size_t from)
{
    const std::string_view rest = text.substr(std::min(from, text.size()));
    if (rest.size() <= kLeftoverShownMax)
        return std::string(rest);
    size_t start = text.size() - kLeftoverTailLength;
    // Not from the middle of a character.
    while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        ++start;
    return "..." + std::string(text.substr(start));
}

bool ParseCommandLineText(std::string_view text, const std::function<bool(const std::string&)>& openPath,
                          const std::function<void(const std::string&)>& reportLeftover)
{
    bool opened = false;
    size_t p = 0;
    for (;;) {
        while (p < text.size() && text[p] == ' ')
            ++p;
        size_t start = p;
        size_t end = std::string_view::npos;
        if (p < text.size() && text[p] == '"') {
            const size_t close = text.find('"', p + 1);
            if (close != std::string_view::npos && PathExists(std::string(text.substr(p + 1, close - p - 1)))) {
                start = p + 1;
                end = close;
            }
        }
        if (end == std::string_view::npos && p < text.size())
            end = LongestExistingEnd(text, p);
        if (end == std::string_view::npos) {
            if (p < text.size())
                reportLeftover(LeftoverText(text, p));
            return opened;
        }
        if (openPath(LongPathForm(text.substr(start, end - start))))
            opened = true;
        // Past the name (and its closing quote), but never past the end.
        p = std::min(end + 1, text.size());
    }
}

} // namespace NSHarrowen
