#include "synth/files/SectionedTextFile.h"

#include "framework/base/Exceptions.h"
#include "framework/files/FileSpec.h"
#include "framework/files/OpenFile.h"
#include "synth/files/XFileBase.h"

#include <charconv>
#include <limits>

namespace {

bool IsBlankSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A four-character code as the 32-bit number the platform's files take.
uint32_t FourCharCode(std::string_view code)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<uint8_t>(i < code.size() ? code[i] : ' ');
    return value;
}

std::string SectionTag(std::string_view prefix, std::string_view name)
{
    std::string tag(prefix);
    tag += name;
    tag += ']';
    return tag;
}

} // namespace

CSectionedTextFile::CSectionedTextFile() = default;

CSectionedTextFile::~CSectionedTextFile() = default;

void CSectionedTextFile::Rewind()
{
    read_ = 0;
    write_ = 0;
    failed_ = false;
}

void CSectionedTextFile::OpenForRead(const NSHarrowen::CFileSpec& spec)
{
    try {
        file_ = std::make_unique<NSHarrowen::COpenFile>(spec);
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const NSHarrowen::XBase&) {
        throw XFileBase("Can't Open file", XFileBase::kFileError);
    }
}

void CSectionedTextFile::OpenForWrite(const NSHarrowen::CFileSpec& spec, std::string_view creator,
                                      std::string_view type)
{
    try {
        file_ = std::make_unique<NSHarrowen::COpenFile>(spec, FourCharCode(creator), FourCharCode(type));
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const NSHarrowen::XWrite&) {
        throw XFileBase("Can't Write file", XFileBase::kFileError);
    } catch (const NSHarrowen::XBase&) {
        throw XFileBase("Can't Create file", XFileBase::kFileError);
    }
}

void CSectionedTextFile::ReadAll()
{
    const XFileBase cannotRead("Can't Read file", XFileBase::kFileError);
    if (!file_)
        throw cannotRead;
    uint32_t size = 0;
    try {
        size = file_->GetSize();
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const NSHarrowen::XBase&) {
        throw cannotRead;
    }
    if (size == 0 || size > kMaxReadSize)
        throw XFileBase("File format or Alias is not a Kandrel file!", XFileBase::kFileError);
    std::string buffer(size, '\0');
    try {
        file_->Read(size, buffer.data());
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const NSHarrowen::XBase&) {
        throw cannotRead;
    }
    Put(buffer);
}

void CSectionedTextFile::WriteAll()
{
    try {
        if (!file_)
            throw NSHarrowen::XWrite();
        file_->Write(static_cast<uint32_t>(text_.size()), text_.data());
        file_->Commit();
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const NSHarrowen::XBase&) {
        throw XFileBase("Can't Write file", XFileBase::kFileError);
    }
}

void CSectionedTextFile::CloseFile()
{
    file_.reset();
}

void CSectionedTextFile::SetText(std::string text)
{
    text_ = std::move(text);
    write_ = text_.size();
    read_ = 0;
    failed_ = false;
}

// ---- writing

void CSectionedTextFile::Put(std::string_view text)
{
    if (write_ < text_.size())
        text_.resize(write_);
    text_ += text;
    write_ = text_.size();
}

void CSectionedTextFile::WriteSectionBegin(std::string_view name)
{
    WriteLine(SectionTag("[", name));
}

void CSectionedTextFile::WriteSectionEnd(std::string_view name)
{
    WriteLine(SectionTag("[/", name));
}

void CSectionedTextFile::WriteLine(std::string_view text)
{
    Put(text);
    WriteNewline();
}

void CSectionedTextFile::WriteNewline()
{
    Put("\r\n");
}

void CSectionedTextFile::WriteText(std::string_view text)
{
    Put(text);
}

void CSectionedTextFile::WriteUnsigned(uint32_t value)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    *end = ' ';
    Put(std::string_view(digits, static_cast<size_t>(end - digits) + 1));
}

void CSectionedTextFile::WriteSigned(int32_t value)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    *end = ' ';
    Put(std::string_view(digits, static_cast<size_t>(end - digits) + 1));
}

// ---- reading

bool CSectionedTextFile::Fail()
{
    failed_ = true;
    return false;
}

void CSectionedTextFile::SkipBlankSpace()
{
    while (read_ < text_.size() && IsBlankSpace(text_[read_]))
        ++read_;
}

bool CSectionedTextFile::ReadNumber(int64_t& value, bool allowSign)
{
    if (failed_)
        return false;
    SkipBlankSpace();
    size_t at = read_;
    bool negative = false;
    if (allowSign && at < text_.size() && (text_[at] == '-' || text_[at] == '+')) {
        negative = text_[at] == '-';
        ++at;
    }
    const size_t digitsStart = at;
    uint64_t magnitude = 0;
    while (at < text_.size() && text_[at] >= '0' && text_[at] <= '9') {
        magnitude = magnitude * 10 + static_cast<uint64_t>(text_[at] - '0');
        if (magnitude > std::numeric_limits<uint32_t>::max())
            return Fail();
        ++at;
    }
    if (at == digitsStart)
        return Fail();
    read_ = at;
    value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

int32_t CSectionedTextFile::ReadSigned()
{
    int64_t value = 0;
    if (!ReadNumber(value, true))
        return 0;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return Fail();
    return static_cast<int32_t>(value);
}

uint32_t CSectionedTextFile::ReadUnsigned()
{
    int64_t value = 0;
    return ReadNumber(value, false) ? static_cast<uint32_t>(value) : 0;
}

bool CSectionedTextFile::ReadBool()
{
    int64_t value = 0;
    if (!ReadNumber(value, true))
        return false;
    if (value != 0 && value != 1)
        return Fail();
    return value == 1;
}

uint8_t CSectionedTextFile::ReadUShortByte()
{
    int64_t value = 0;
    if (!ReadNumber(value, false))
        return 0;
    if (value > std::numeric_limits<uint16_t>::max())
        return Fail();
    return static_cast<uint8_t>(value & 0xFF);
}

uint8_t CSectionedTextFile::ReadLowByte()
{
    return static_cast<uint8_t>(ReadSigned() & 0xFF);
}

std::string CSectionedTextFile::ReadWord()
{
    if (failed_)
        return {};
    SkipBlankSpace();
    const size_t start = read_;
    while (read_ < text_.size() && !IsBlankSpace(text_[read_]))
        ++read_;
    if (read_ == start) {
        Fail();
        return {};
    }
    return text_.substr(start, read_ - start);
}

bool CSectionedTextFile::ReadLine(std::string& out)
{
    std::string line;
    if (!ReadWholeLine(line))
        return false;
    size_t start = 0;
    if (start < line.size() && line[start] == '\r')
        ++start;
    if (start < line.size() && line[start] == ' ')
        ++start;
    out.assign(line, start);
    return true;
}

bool CSectionedTextFile::ReadWholeLine(std::string& out)
{
    if (failed_ || read_ >= text_.size())
        return Fail();
    size_t end = text_.find('\n', read_);
    const size_t next = end == std::string::npos ? text_.size() : end + 1;
    if (end == std::string::npos)
        end = text_.size();
    std::string_view line(text_.data() + read_, end - read_);
    read_ = next;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    out.assign(line);
    return true;
}

bool CSectionedTextFile::SeekSection(std::string_view name)
{
    const size_t start = read_;
    if (!failed_) {
        const std::string tag = SectionTag("[", name);
        std::string line;
        while (ReadLine(line)) {
            if (line == tag)
                return true;
        }
    }
    failed_ = false;
    read_ = start;
    return false;
}

bool CSectionedTextFile::MatchSectionEnd(std::string_view name)
{
    if (!AtSectionEnd())
        return false;
    std::string line;
    return ReadLine(line) && line == SectionTag("[/", name);
}

bool CSectionedTextFile::AtSectionEnd()
{
    if (failed_)
        return false;
    SkipBlankSpace();
    return read_ < text_.size() && text_[read_] == '[';
}

bool CSectionedTextFile::AtEnd()
{
    if (failed_)
        return false;
    SkipBlankSpace();
    return read_ >= text_.size();
}

bool CSectionedTextFile::ReadLastLineOfSection(std::string& out)
{
    out.clear();
    if (!AtSectionEnd()) {
        std::string line;
        while (ReadLine(line)) {
            out = line;
            if (AtSectionEnd())
                break;
        }
    }
    if (out.empty())
        ReadLine(out);
    return !failed_;
}

bool CSectionedTextFile::ReadThrough(char delimiter, std::string& out)
{
    if (failed_)
        return false;
    const size_t at = text_.find(delimiter, read_);
    if (at == std::string::npos) {
        read_ = text_.size();
        return Fail();
    }
    out.assign(text_, read_, at - read_);
    read_ = at + 1;
    return true;
}

std::string CSectionedTextFile::ReadRestOfLine()
{
    if (failed_)
        return {};
    const size_t end = text_.find_first_of("\r\n", read_);
    const size_t stop = end == std::string::npos ? text_.size() : end;
    std::string rest = text_.substr(read_, stop - read_);
    read_ = stop;
    return rest;
}
