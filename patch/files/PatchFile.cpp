#include "patch/files/PatchFile.h"

#include "framework/base/Utf8.h"
#include "patch/files/ConvertPatchFile210.h"
#include "patch/files/PatchFileDumps.h"
#include "patch/files/PatchFileReader.h"
#include "patch/files/PatchFileWriter.h"
#include "synth/files/PatchFileTypes.h"
#include "synth/files/SectionedTextFile.h"

namespace {

constexpr std::string_view kVersion210 = "Version=Vesk Kandrel patch 2.10";
constexpr size_t kMaxVersionMessage = 64;

// What the refusal names as the version: the text after the first "patch",
// or after the "=" when the line has no "patch".
std::string_view VersionText(std::string_view line)
{
    const size_t patch = line.find("patch");
    if (patch != std::string_view::npos)
        return line.substr(patch + 5);
    const size_t equals = line.find('=');
    return equals == std::string_view::npos ? line : line.substr(equals + 1);
}

} // namespace

EPatchFileVersion ReadPatchFileVersion(CSectionedTextFile& file)
{
    std::string line;
    do {
        if (!file.ReadLine(line))
            return EPatchFileVersion::kNone;
    } while (line.find("Version") == std::string::npos);
    const size_t end = line.find_last_not_of(" \t");
    line.resize(end == std::string::npos ? 0 : end + 1);
    if (line.starts_with(kVersion210))
        return EPatchFileVersion::kVersion210;
    if (line == CPatchFileWriter::kVersionLine)
        return EPatchFileVersion::kVersion30;
    std::string message = "File format is not supported: ";
    message += VersionText(line);
    message += ". Convert in editor V2.10";
    message.resize(NSHarrowen::Utf8CutLength(message, kMaxVersionMessage));
    throw XFileBase(message, XFileBase::kFileError);
}

void ReadPatchFile(const NSHarrowen::CFileSpec& spec, CPatchFileContent& content)
{
    CSectionedTextFile file;
    file.OpenForRead(spec);
    file.ReadAll();
    file.CloseFile();
    const EPatchFileVersion version = ReadPatchFileVersion(file);
    if (version == EPatchFileVersion::kNone)
        throw XFileBase("File format is not a known Kandrel file", XFileBase::kFileError);

    CPatchFileDumps dumps;
    std::string notes;
    bool broken = false;
    if (version == EPatchFileVersion::kVersion210) {
        ConvertPatchFile210 converter(file);
        converter.Convert(dumps, notes);
        converter.ConvertMaps(dumps);
        broken = converter.IsBroken();
    } else {
        CPatchFileReader reader(file, dumps);
        reader.ReadAll(notes);
        broken = reader.IsBroken();
    }
    dumps.MoveTo(content.dumps);
    content.notes = std::move(notes);
    if (broken)
        content.pendingError = XFileBase::Corrupt();
}

void WritePatchFile(const NSHarrowen::CFileSpec& spec, const CMoleculePacket& dumps, const std::string& notes)
{
    CSectionedTextFile file;
    CPatchFileWriter writer(file);
    for (const CMolecule* molecule : dumps)
        molecule->WriteToPatchFile(writer);
    writer.WriteNotesSection(notes);
    file.OpenForWrite(spec, kEditorCreatorCode, kFileTypePatch.type);
    file.WriteAll();
    file.CloseFile();
}
