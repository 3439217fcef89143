#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace NSHarrowen {

// A ring of text lines of limited length that keeps the newest lines: a log.
class CLineRing {
public:
    CLineRing(uint16_t lineCount, uint32_t lineLength);

    // Keeps at most the line length's bytes of the text (cut at a character
    // boundary), over the oldest line when the ring is full.
    void AddLine(const char* text);
    void Clear();
    // Lines ever added since the last Clear.
    int32_t GetCount() const { return static_cast<int32_t>(count_); }
    // Line k from the end, 0 the newest; an empty text for a line not held.
    const char* GetLineFromEnd(int32_t k) const;
    // The lines held: the smaller of the count and the line count.
    int32_t GetUsedLines() const;

private:
    uint64_t count_ = 0;
    uint32_t lineLength_;
    std::vector<std::string> lines_;
};

} // namespace NSHarrowen
