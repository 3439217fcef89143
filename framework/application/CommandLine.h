#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace NSHarrowen {

// The alert for command-line text that names nothing ("The file "^0" could
// not be found.").
inline constexpr uint32_t kFileNotFoundAlert = 501000002;

// Splits a command line into the existing files and folders it names: a
// quoted name that exists, else the longest run up to a blank (or the end)
// that exists, so names with blanks need no quotes. Each name goes, as a full
// path, to openPath (true when it opened something). Text that names nothing
// goes to reportLeftover as the alert shows it, and ends the parse. True when
// something was opened.
bool ParseCommandLineText(std::string_view text, const std::function<bool(const std::string&)>& openPath,
                          const std::function<void(const std::string&)>& reportLeftover);

// What the alert shows of leftover text starting at `from`: the rest when it
// has at most 63 characters, else "..." and the last 61 of the whole text.
std::string LeftoverText(std::string_view text, size_t from);

bool PathExists(const std::string& path);

} // namespace NSHarrowen
