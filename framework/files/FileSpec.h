#pragma once

#include "framework/files/Media.h"

#include <list>
#include <memory>
#include <string>
#include <string_view>
#include "framework/files/DirSpec.h"

namespace NSHarrowen {

// A short code naming a kind of file: a four-character type code such as
// "TEXT", or a file name's extension where a type is taken from a name.
class CUnknownFileType {
public:
    CUnknownFileType() = default;
    explicit CUnknownFileType(std::string code) : code_(std::move(code)) { }
    const std::string& GetCode() const { return code_; }
    bool operator==(const CUnknownFileType&) const = default;

private:
    std::string code_;
};

// The four-character creator code written beside the program's own files.
class CFileCreator : public CUnknownFileType {
public:
    using CUnknownFileType::CUnknownFileType;
};

// The place of a media.
class CABCMediaSpec {
public:
    virtual ~CABCMediaSpec() = default;
    // A new media for reading; throws when it cannot be opened.
    virtual std::unique_ptr<CMedia> Open() const = 0;
    virtual std::unique_ptr<CABCMediaSpec> Clone() const = 0;
};

class CDirSpec;

// A file as folder, name and extension. The folder ends in "/" and is kept in
// its long form: absolute, each existing part spelt as the file system spells
// it. The extension keeps its dot, or is empty.
class CFileSpec : public CABCMediaSpec {
public:
    // Splits a path; an empty one throws XBase.
    explicit CFileSpec(std::string_view path);
    CFileSpec(std::string_view directory, std::string_view name, std::string_view extension);
    CFileSpec(const CFileSpec&) = default;
    CFileSpec& operator=(const CFileSpec&) = default;

    std::unique_ptr<CMedia> Open() const override;
    std::unique_ptr<CABCMediaSpec> Clone() const override;

    std::string GetFullPath() const { return directory_ + name_ + extension_; }
    const std::string& GetBaseName() const { return name_; }
    std::string GetFileName() const { return name_ + extension_; }
    const std::string& GetDirectoryPath() const { return directory_; }
    const std::string& GetExtension() const { return extension_; }
    void SetExtension(std::string_view extension) { extension_ = extension; }
    // The extension as a file type code.
    CUnknownFileType GetFileType() const { return CUnknownFileType(extension_); }
    // True when the file exists and can be opened for reading.
    bool Exists() const;
    std::unique_ptr<CDirSpec> MakeDirSpec() const;

private:
    std::string directory_;
    std::string name_;
    std::string extension_;
};

// The user's settings folder of the running program (where the editor keeps
// its preferences file). Throws XBase when it cannot be had.
std::unique_ptr<CDirSpec> MakeWindowsDirSpec();

// The long form of a path: made absolute, "." parts and doubled slashes
// dropped, and every part that exists spelt as the file system spells it
// (a part typed in another letter case takes the stored case).
std::string LongPathForm(std::string_view path);
// The path with one '/' at its end.
std::string WithTrailingSlash(std::string_view path);

// A file name's extension with its dot: from the last dot after the first
// character (or a leading dot) when that gives at most 8 characters, else empty.
std::string_view ExtensionOf(std::string_view fileName);

} // namespace NSHarrowen
