#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace NSBootwren {

// What differs between the synthesizer models the updater serves: the name
// the user reads, the instructions of the pages, the warning about stored
// patches, the model bytes of the synthesizer's reply and the family byte.
class CModelSpec {
public:
    virtual ~CModelSpec() = default;
    virtual bool AcceptsModelByte(uint8_t byte) const = 0;
    virtual std::string DisplayName() const = 0;
    virtual std::string PrepareText() const = 0;
    virtual std::string MidiText() const = 0;
    virtual std::string StoreText() const = 0;
    virtual std::string DoneText() const = 0;
    // Versions are packed numbers; asked only when the two differ.
    virtual std::string WarningText(uint32_t current, uint32_t next) const { return {}; }
    virtual uint8_t FamilyByte() const = 0;

    // The model an image names ("Kandrel" or "Pebix Kandrel", exactly), or none.
    static std::unique_ptr<CModelSpec> Create(std::string_view modelName);

protected:
    // The three warnings of both models; `os` is "Kandrel OS" or
    // "Pebix Kandrel OS".
    static std::string MakeWarningText(const std::string& os, uint32_t current, uint32_t next);
};

} // namespace NSBootwren
