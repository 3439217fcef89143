#include "synth/files/PatchListFile.h"

#include "framework/base/Exceptions.h"
#include "synth/files/PatchFileTypes.h"
#include "synth/files/SectionedTextFile.h"
#include "synth/files/XFileBase.h"

#include <algorithm>
#include <new>
#include <optional>

namespace {

// A list file is corrupt; reported as its own text.
struct XListCorrupt { };

bool IsPlainFileName(const std::string& name)
{
    return name.find_first_of("/\\:") == std::string::npos && name != "." && name != "..";
}

// A position line: a decimal number with blanks around it, or none.
std::optional<uint32_t> ParsePosition(const std::string& line)
{
    CSectionedTextFile text;
    text.SetText(line);
    const uint32_t value = text.ReadUnsigned();
    if (text.Failed() || !text.AtEnd())
        return std::nullopt;
    return value;
}

} // namespace

bool CPatchListFile::Failed(const char* text)
{
    failure_ = text;
    return false;
}

bool CPatchListFile::Write(const NSHarrowen::CFileSpec& spec, const std::vector<std::string>& entries)
{
    failure_.clear();
    // A list of empty positions only would name no file at all.
    if (std::all_of(entries.begin(), entries.end(), [](const std::string& name) { return name.empty(); }))
        return Failed("No patches to upload.");
    CSectionedTextFile file;
    int32_t position = 1;
    bool gap = true;
    for (const std::string& name : entries) {
        if (name.empty()) {
            gap = true;
        } else {
            if (gap) {
                file.WriteSigned(position);
                file.WriteNewline();
            }
            gap = false;
            file.WriteLine(name);
        }
        ++position;
    }
    try {
        file.OpenForWrite(spec, kEditorCreatorCode, kFileTypePatchList.type);
        file.WriteAll();
        file.CloseFile();
    } catch (const XFileBase&) {
        return Failed("Could not write list file");
    }
    return true;
}

bool CPatchListFile::Read(const NSHarrowen::CFileSpec& spec, std::vector<std::string>& entries)
{
    failure_.clear();
    entries.clear();
    CSectionedTextFile file;
    try {
        file.OpenForRead(spec);
        file.ReadAll();
    } catch (const XFileBase&) {
        return Failed("Can't read dump file");
    }
    file.CloseFile();
    try {
        std::string line;
        while (entries.size() < kPositions && file.ReadLine(line)) {
            if (line.empty())
                continue;
            if (line.find(".pch") != std::string::npos) {
                if (!IsPlainFileName(line))
                    throw XListCorrupt();
                entries.push_back(line);
                continue;
            }
            const auto position = ParsePosition(line);
            if (!position || *position < entries.size() + 1 || *position > kPositions)
                throw XListCorrupt();
            entries.resize(*position - 1);
        }
    } catch (const XListCorrupt&) {
        entries.clear();
        return Failed("List file corrupt");
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const std::exception&) {
        entries.clear();
        return Failed("Can't parse list file");
    }
    entries.resize(kPositions);
    return true;
}
