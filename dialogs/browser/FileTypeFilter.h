#pragma once

#include <string>
#include <string_view>
#include <vector>

// The extensions the disk page lists without "Show all Files": exact,
// case-sensitive matches (".pch" but not ".PCH").
class CFileTypeFilter {
public:
    void AddType(std::string_view typeCode, std::string_view extension);
    bool Matches(std::string_view extension) const;

private:
    std::vector<std::string> extensions_;
};
