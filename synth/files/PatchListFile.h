#pragma once

#include <string>
#include <vector>

namespace NSHarrowen {
class CFileSpec;
}

// The order of a flash bank's patch files: one name per position from
// position 1 on (an empty name is an empty position), at most 99. On disk,
// CR LF lines of names (each holding ".pch") and position lines (a number
// and a blank) that set the position of the next name; the writer puts one
// before the first name and before the first name after empty positions.
//
// Names are plain file names in the list's folder: a name with a path
// ("/", "\", ":" or "..") makes the list corrupt, so a list cannot lead a
// download to files elsewhere.
class CPatchListFile {
public:
    static constexpr size_t kPositions = 99;

    // False (GetFailure says why) for a list without a name or a failed
    // write.
    bool Write(const NSHarrowen::CFileSpec& spec, const std::vector<std::string>& entries);
    // Fills entries with exactly 99 positions; false (entries empty,
    // GetFailure says why) when the list cannot be read or is corrupt.
    bool Read(const NSHarrowen::CFileSpec& spec, std::vector<std::string>& entries);

    // The report line of the last failure.
    const std::string& GetFailure() const { return failure_; }

private:
    bool Failed(const char* text);

    std::string failure_;
};
