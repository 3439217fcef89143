#include "dialogs/browser/FileTypeFilter.h"

#include <algorithm>

void CFileTypeFilter::AddType(std::string_view, std::string_view extension)
{
    extensions_.emplace_back(extension);
}

bool CFileTypeFilter::Matches(std::string_view extension) const
{
    return std::find(extensions_.begin(), extensions_.end(), extension) != extensions_.end();
}
