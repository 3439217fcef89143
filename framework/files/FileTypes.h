#pragma once

#include "framework/files/FileSpec.h"

#include <string>
#include <string_view>
#include <vector>

namespace NSHarrowen {

// A kind of file that file dialogs offer: a description, the extensions with
// their dots separated by ";" (".txt;.doc") and a four-character type code.
struct CFileTypeInfo {
    std::string description;
    std::string extensions;
    std::string type;
};
using CFileTypeDescription = CFileTypeInfo;

// File types in the order a dialog offers them (copies of the records).
class CFileTypeList {
public:
    CFileTypeList() = default;
    CFileTypeList(std::initializer_list<CFileTypeInfo> types) : types_(types) { }
    void Append(const CFileTypeInfo& type) { types_.push_back(type); }
    void Clear() { types_.clear(); }
    size_t GetCount() const { return types_.size(); }
    auto begin() const { return types_.begin(); }
    auto end() const { return types_.end(); }

private:
    std::vector<CFileTypeInfo> types_;
};

// The framework's own file types.
extern const CFileTypeInfo kFileTypeText;
extern const CFileTypeInfo kFileTypeBMP;
extern const CFileTypeInfo kFileTypeJPEG;
extern const CFileTypeInfo kFileTypeWave;
extern const CFileTypeInfo kFileTypeAIFF;
extern const CFileTypeInfo kFileTypeMidi;
extern const CFileTypeInfo kFileTypeBinary;

int CountExtensions(const CFileTypeInfo& type);
// The n-th extension (from 0), at most 10 characters; empty when there is none.
std::string GetExtensionAt(const CFileTypeInfo& type, int n);

// True when the type code equals the record's, or else when the file name's
// extension is one of the record's, ignoring letter case.
bool MatchesFileType(const CFileTypeInfo& type, std::string_view fileName, std::string_view typeCode = {});
bool MatchesFileType(const CFileTypeInfo& type, const CFileSpec& file);
// The first record that matches, or nullptr.
const CFileTypeInfo* FindFileType(const CFileTypeList& types, std::string_view fileName,
                                  std::string_view typeCode = {});

// The filter of an open dialog: "description (patterns)", NUL, patterns, NUL
// for every record, then "All files (patterns)", NUL, patterns, NUL with the
// patterns of all records.
std::string MakeOpenFilter(const CFileTypeList& types);
// The filter of a save dialog: the one item of the record.
std::string MakeSaveFilter(const CFileTypeInfo& type);

} // namespace NSHarrowen
