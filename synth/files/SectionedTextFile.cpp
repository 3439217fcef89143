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
    m_read = 0;
    m_write = 0;
    m_failed = false;
}

void CSectionedTextFile::OpenForRead(const NSHarrowen::CFileSpec& spec)
{
    try {
        m_file = std::make_unique<NSHarrowen::COpenFile>(spec);
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
        m_file = std::make_unique<NSHarrowen::COpenFile>(spec, FourCharCode(creator), FourCharCode(type));
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const NSHarrowen::XBase&) {
        throw XFileBase("Can't Create file", XFileBase::kFileError);
    }
}

void CSectionedTextFile::ReadAll()
{
    const XFileBase cannotRead("Can't Read file", XFileBase::kFileError);
    if (!m_file)
        throw cannotRead;
    uint32_t size = 0;
    try {
        size = m_file->GetSize();
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const NSHarrowen::XBase&) {
        throw cannotRead;
    }
    if (size == 0 || size > kMaxReadSize)
        throw XFileBase("File format or Alias is not a Kandrel file!", XFileBase::kFileError);
    std::string buffer(size, '\0');
    try {
        m_file->Read(size, buffer.data());
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
        if (!m_file)
            throw NSHarrowen::XWrite();
        m_file->Write(static_cast<uint32_t>(m_text.size()), m_text.data());
        m_file->Commit();
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const NSHarrowen::XBase&) {
        throw XFileBase("Can't Write file", XFileBase::kFileError);
    }
}

void CSectionedTextFile::CloseFile()
{
    m_file.reset();
}

void CSectionedTextFile::SetText(std::string text)
{
    m_text = std::move(text);
    m_write = m_text.size();
    m_read = 0;
    m_failed = false;
}

// ---- writing

void CSectionedTextFile::Put(std::string_view text)
{
    if (m_write < m_text.size())
        m_text.resize(m_write);
    m_text += text;
    m_write = m_text.size();
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
    m_failed = true;
    return false;
}

void CSectionedTextFile::SkipBlankSpace()
{
    while (m_read < m_text.size() && IsBlankSpace(m_text[m_read]))
        ++m_read;
}

bool CSectionedTextFile::ReadNumber(int64_t& value, bool allowSign)
{
    if (m_failed)
        return false;
    SkipBlankSpace();
    size_t at = m_read;
    bool negative = false;
    if (allowSign && at < m_text.size() && (m_text[at] == '-' || m_text[at] == '+')) {
        negative = m_text[at] == '-';
        ++at;
    }
    const size_t digitsStart = at;
    uint64_t magnitude = 0;
    while (at < m_text.size() && m_text[at] >= '0' && m_text[at] <= '9') {
        magnitude = magnitude * 10 + static_cast<uint64_t>(m_text[at] - '0');
        if (magnitude > std::numeric_limits<uint32_t>::max())
            return Fail();
        ++at;
    }
    if (at == digitsStart)
        return Fail();
    m_read = at;
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
    if (m_failed)
        return {};
    SkipBlankSpace();
    const size_t start = m_read;
    while (m_read < m_text.size() && !IsBlankSpace(m_text[m_read]))
        ++m_read;
    if (m_read == start) {
        Fail();
        return {};
    }
    return m_text.substr(start, m_read - start);
}

bool CSectionedTextFile::ReadLine(std::string& out)
{
    if (m_failed || m_read >= m_text.size())
        return Fail();
    size_t end = m_text.find('\n', m_read);
    const size_t next = end == std::string::npos ? m_text.size() : end + 1;
    if (end == std::string::npos)
        end = m_text.size();
    std::string_view line(m_text.data() + m_read, end - m_read);
    m_read = next;
    if (!line.empty() && line.front() == '\r')
        line.remove_prefix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    out.assign(line);
    return true;
}

bool CSectionedTextFile::SeekSection(std::string_view name)
{
    const size_t start = m_read;
    if (!m_failed) {
        const std::string tag = SectionTag("[", name);
        std::string line;
        while (ReadLine(line)) {
            if (line == tag)
                return true;
        }
    }
    m_failed = false;
    m_read = start;
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
    if (m_failed)
        return false;
    SkipBlankSpace();
    return m_read < m_text.size() && m_text[m_read] == '[';
}

bool CSectionedTextFile::AtEnd()
{
    if (m_failed)
        return false;
    SkipBlankSpace();
    return m_read >= m_text.size();
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
    return !m_failed;
}

bool CSectionedTextFile::ReadThrough(char delimiter, std::string& out)
{
    if (m_failed)
        return false;
    const size_t at = m_text.find(delimiter, m_read);
    if (at == std::string::npos) {
        m_read = m_text.size();
        return Fail();
    }
    out.assign(m_text, m_read, at - m_read);
    m_read = at + 1;
    return true;
}

std::string CSectionedTextFile::ReadRestOfLine()
{
    if (m_failed)
        return {};
    const size_t end = m_text.find_first_of("\r\n", m_read);
    const size_t stop = end == std::string::npos ? m_text.size() : end;
    std::string rest = m_text.substr(m_read, stop - m_read);
    m_read = stop;
    return rest;
}
