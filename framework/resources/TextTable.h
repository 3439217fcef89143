#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace NSHarrowen {

// One parsed text resource ("SSTR", "SALR" or "SMNU"): up to 1000 entries.
class CTextTable {
public:
    static constexpr int kEntryCount = 1000;
    static constexpr size_t kMaxTextLength = 3000;

    CTextTable(std::string_view type, uint16_t resource);

    const std::string& Type() const { return type_; }
    uint16_t Resource() const { return resource_; }

    // The entry's text, or none where the resource does not define it.
    const std::string* Entry(int entry) const;
    // Stores the text unless the entry already has one (the first wins);
    // entries outside 0..999 are ignored.
    void Store(int entry, std::string text);

private:
    std::string type_;
    uint16_t resource_;
    std::array<std::optional<std::string>, kEntryCount> entries_;
};

// Parses the bytes of a text resource into the table (one pass, five states).
void ParseResourceTable(std::span<const uint8_t> bytes, CTextTable& table);

} // namespace NSHarrowen
