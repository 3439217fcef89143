#include "framework/files/FileTypes.h"

#include "framework/base/StringFunctions.h"
#include "framework/base/Utf8.h"

#include <algorithm>

namespace NSHarrowen {

const CFileTypeInfo kFileTypeText{"Text File", ".txt;.doc", "TEXT"};
const CFileTypeInfo kFileTypeBMP{"BMP Bitmap", ".bmp", "BMP "};
const CFileTypeInfo kFileTypeJPEG{"JPEG Bitmap", ".jpeg;.jpg", "JPEG"};
const CFileTypeInfo kFileTypeWave{"Wave File", ".wav;.wave", "WAVE"};
const CFileTypeInfo kFileTypeAIFF{"Audio IFF", ".aif;.aiff", "AIFF"};
const CFileTypeInfo kFileTypeMidi{"Standard MIDI File", ".mid;.midi", "Midi"};
const CFileTypeInfo kFileTypeBinary{"Undefined Binary", ".bin", "BINA"};

namespace {

constexpr size_t kMaxExtension = 10;

template <typename F> void ForEachExtension(const CFileTypeInfo& type, F&& visit)
{
    std::string_view rest = type.extensions;
    for (;;) {
        const size_t semicolon = rest.find(';');
        visit(rest.substr(0, semicolon));
        if (semicolon == std::string_view::npos)
            return;
        rest.remove_prefix(semicolon + 1);
    }
}

std::string Patterns(const CFileTypeInfo& type)
{
    std::string patterns;
    ForEachExtension(type, [&](std::string_view extension) {
        if (!patterns.empty())
            patterns += ';';
        patterns += '*';
        patterns += extension;
    });
    return patterns;
}

std::string FilterItem(std::string_view description, const std::string& patterns)
{
    return std::string(description) + " (" + patterns + ")|" + patterns + "|";
}

std::string BarsToNuls(std::string filter)
{
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter;
}

} // namespace

int CountExtensions(const CFileTypeInfo& type)
{
    return static_cast<int>(std::count(type.extensions.begin(), type.extensions.end(), ';')) + 1;
}

std::string GetExtensionAt(const CFileTypeInfo& type, int n)
{
    std::string result;
    int index = 0;
    ForEachExtension(type, [&](std::string_view extension) {
        if (index++ == n)
            result = extension.substr(0, Utf8CutLength(extension, kMaxExtension));
    });
    return result;
}

bool MatchesFileType(const CFileTypeInfo& type, std::string_view fileName, std::string_view typeCode)
{
    if (!typeCode.empty() && type.type == typeCode)
        return true;
    const std::string extension(ExtensionOf(fileName));
    if (extension.empty())
        return false;
    bool found = false;
    ForEachExtension(type, [&](std::string_view listed) {
        found = found || EqualsIgnoreCase(std::string(listed).c_str(), extension.c_str());
    });
    return found;
}

bool MatchesFileType(const CFileTypeInfo& type, const CFileSpec& file)
{
    return MatchesFileType(type, file.GetFileName());
}

const CFileTypeInfo* FindFileType(const CFileTypeList& types, std::string_view fileName, std::string_view typeCode)
{
    for (const CFileTypeInfo& type : types)
        if (MatchesFileType(type, fileName, typeCode))
            return &type;
    return nullptr;
}

std::string MakeOpenFilter(const CFileTypeList& types)
{
    std::string filter;
    std::string all;
    for (const CFileTypeInfo& type : types) {
        const std::string patterns = Patterns(type);
        filter += FilterItem(type.description, patterns);
        if (!all.empty())
            all += ';';
        all += patterns;
    }
    return BarsToNuls(filter + FilterItem("All files", all));
}

std::string MakeSaveFilter(const CFileTypeInfo& type)
{
    return BarsToNuls(FilterItem(type.description, Patterns(type)));
}

} // namespace NSHarrowen
