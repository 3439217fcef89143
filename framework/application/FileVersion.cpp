#include "framework/application/FileVersion.h"

#include "framework/base/Exceptions.h"
#include "framework/resources/ResourceModule.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace NSHarrowen {

namespace {

constexpr size_t kMaxProductText = 255;

uint16_t Word(const uint8_t* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

uint16_t ParseStageNumber(std::string_view text)
{
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + static_cast<uint32_t>(c - '0');
        if (value > 0xFFFF)
            return 0xFFFF;
    }
    return static_cast<uint16_t>(value);
}

} // namespace

CReleaseStage ParseReleaseStage(std::string_view text)
{
    struct Word {
        std::string_view name;
        EReleaseStage stage;
    };
    static constexpr std::array<Word, 3> kWords{{
        {"development", EReleaseStage::Development},
        {"alpha", EReleaseStage::Alpha},
        {"beta", EReleaseStage::Beta},
    }};
    for (const auto& w : kWords) {
        const size_t at = text.find(w.name);
        if (at == std::string_view::npos)
            continue;
        const size_t blank = text.find(' ', at + w.name.size());
        const uint16_t number = blank == std::string_view::npos ? 0 : ParseStageNumber(text.substr(blank + 1));
        return {w.stage, number};
    }
    return {EReleaseStage::Release, 0};
}

CHarrowenFileVersion ParseFileVersion(const uint8_t* data, size_t size)
{
    if (size < 9 || std::memchr(data + 8, 0, size - 8) == nullptr)
        throw XBase();
    const char* text = reinterpret_cast<const char*>(data + 8);
    const std::string_view product(text, std::min(std::strlen(text), kMaxProductText));
    const CReleaseStage stage = ParseReleaseStage(product);
    return CHarrowenFileVersion(Word(data), Word(data + 2), Word(data + 4), Word(data + 6), stage.number, stage.stage);
}

CHarrowenFileVersion ReadFileVersion()
{
    const auto record = FindResource("VERS", 1);
    if (!record)
        throw XFileNotFound();
    return ParseFileVersion(record->data(), record->size());
}

} // namespace NSHarrowen
