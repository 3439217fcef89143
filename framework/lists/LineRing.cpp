#include "framework/lists/LineRing.h"

#include "framework/base/Utf8.h"

#include <cstring>

namespace NSHarrowen {

CLineRing::CLineRing(uint16_t lineCount, uint32_t lineLength) : lineLength_(lineLength), lines_(lineCount)
{
    for (std::string& line : lines_)
        line.reserve(lineLength + 1);
}

void CLineRing::AddLine(const char* text)
{
    if (lines_.empty())
        return;
    const size_t length = strnlen(text, size_t{lineLength_} + 1);
    lines_[count_ % lines_.size()].assign(text, Utf8CutLength({text, length}, lineLength_));
    ++count_;
}

void CLineRing::Clear()
{
    count_ = 0;
    for (std::string& line : lines_)
        line.clear();
}

int32_t CLineRing::GetUsedLines() const
{
    return static_cast<int32_t>(count_ < lines_.size() ? count_ : lines_.size());
}

const char* CLineRing::GetLineFromEnd(int32_t k) const
{
    if (k < 0 || k >= GetUsedLines())
        return "";
    return lines_[(count_ - 1 - static_cast<uint64_t>(k)) % lines_.size()].c_str();
}

} // namespace NSHarrowen
