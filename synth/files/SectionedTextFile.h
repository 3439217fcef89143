#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace NSHarrowen {
class CFileSpec;
class COpenFile;
} // namespace NSHarrowen

// The text layer under the patch file, the patch list and the preferences:
// a file is read whole into memory and parsed there, and a file to be
// written is composed in memory and then written in one piece (through the
// framework's atomic save, so a failed save leaves the old file as it was).
//
// The text is lines ended by CR LF (LF alone is accepted when reading),
// grouped into sections opened by "[name]" and closed by "[/name]"; numbers
// are decimal, each written with one blank after it. File failures throw
// XFileBase with the number 1. Parsing failures are not exceptions: a number
// that cannot be read sets the failed state, which Failed reports and which
// makes the readers yield nothing further until a section search that finds
// nothing clears it.
class CSectionedTextFile {
public:
    // Large enough for the largest patch the editor writes (two areas of
    // 127 modules with 255 cables each, every map full) with long notes.
    static constexpr uint32_t kMaxReadSize = 256 * 1024;

    CSectionedTextFile();
    ~CSectionedTextFile();
    CSectionedTextFile(const CSectionedTextFile&) = delete;
    CSectionedTextFile& operator=(const CSectionedTextFile&) = delete;

    // Both positions back to the start; the text stays for reading, and the
    // first write after it replaces the text from the start.
    void Rewind();

    // "Can't Open file".
    void OpenForRead(const NSHarrowen::CFileSpec& spec);
    // "Can't Create file"; "Can't Write file" for an existing file the user
    // may not write, which stays as it is. The creator and type codes are
    // four characters.
    void OpenForWrite(const NSHarrowen::CFileSpec& spec, std::string_view creator, std::string_view type);
    // Reads the open file whole. An empty file or one above kMaxReadSize:
    // "File format or Alias is not a Kandrel file!"; any other failure:
    // "Can't Read file".
    void ReadAll();
    // Writes the whole text and puts the file in place: "Can't Write file".
    void WriteAll();
    // Forgets the open file (a written file not yet put in place is
    // dropped when an exception is on its way out).
    void CloseFile();

    // The failed state; the end of the text alone is no failure.
    bool Failed() const { return failed_; }
    void ClearFailure() { failed_ = false; }
    const std::string& GetText() const { return text_; }
    // Replaces the text (for text that is not read from a file).
    void SetText(std::string text);

    // Writing.
    void WriteSectionBegin(std::string_view name);
    void WriteSectionEnd(std::string_view name);
    void WriteLine(std::string_view text);
    void WriteNewline();
    void WriteText(std::string_view text);
    void WriteCString(const char* text) { WriteText(text); }
    void WriteUnsigned(uint32_t value);
    void WriteSigned(int32_t value);
    void WriteShort(int16_t value) { WriteSigned(value); }
    void WriteBool(bool value) { WriteUnsigned(value ? 1 : 0); }
    void WriteByte(uint8_t value) { WriteUnsigned(value); }
    void WriteSignedByte(int8_t value) { WriteSigned(value); }

    // Number readers skip blanks, tabs, CR and LF first. A reader that
    // fails (or runs on a failed stream) returns 0.
    int32_t ReadSigned();
    uint32_t ReadUnsigned();
    // The number must be 0 or 1; any other fails the stream.
    bool ReadBool();
    // An unsigned 16-bit number, its low 8 bits.
    uint8_t ReadUShortByte();
    // A signed 32-bit number, its low 8 bits (300 gives 44, -1 gives 255).
    uint8_t ReadLowByte();
    // The next blank-delimited word.
    std::string ReadWord();

    // The next line without its LF; a CR at its start and one at its end,
    // then one blank at its start, are dropped. False (and out unchanged)
    // at the end of the text or on a failed stream.
    bool ReadLine(std::string& out);
    // The next line as it stands, but its LF and one CR before that; false
    // (and out unchanged) at the end of the text or on a failed stream.
    bool ReadWholeLine(std::string& out);
    // Finds the line "[name]" forward from the read position and stands
    // after it. When the text ends first (or the stream has failed) the
    // failed state is cleared, the read position is left where it was and
    // the result is false.
    bool SeekSection(std::string_view name);
    // Skips blank space; when a "[" line follows, consumes it and tells
    // whether it is "[/name]".
    bool MatchSectionEnd(std::string_view name);
    // Skips blank space; whether a "[" follows.
    bool AtSectionEnd();
    // Skips blank space; whether the text ends there.
    bool AtEnd();
    // The last line before the next "[" line (or that line itself when none
    // stands before it); false when the stream has failed.
    bool ReadLastLineOfSection(std::string& out);
    // Reads up to the delimiter and consumes it; false (stream failed) when
    // the text holds none.
    bool ReadThrough(char delimiter, std::string& out);
    // The characters up to the next CR or LF, which stay.
    std::string ReadRestOfLine();

    size_t GetReadPosition() const { return read_; }
    void SetReadPosition(size_t position) { read_ = position < text_.size() ? position : text_.size(); }

private:
    void Put(std::string_view text);
    void SkipBlankSpace();
    // The next token's digits with an optional sign; false on none.
    bool ReadNumber(int64_t& value, bool allowSign);
    bool Fail();

    std::string text_;
    size_t read_ = 0;
    size_t write_ = 0;
    bool failed_ = false;
    std::unique_ptr<NSHarrowen::COpenFile> file_;
};
