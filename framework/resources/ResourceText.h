#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace NSHarrowen {

// A text id: kind x 100,000,000 + resource x 1000 + entry. Kind 4 names a
// string ("SSTR"), 5 an alert script ("SALR"), 6 a menu script ("SMNU").
struct CResourceId {
    uint8_t kind;
    uint16_t resource;
    uint16_t entry;
};

CResourceId SplitResourceId(uint32_t id);

// Copy the text of an id into buffer: at most size characters (never more
// than 3000, never splitting a character) and a terminating NUL, so the
// buffer holds size + 1 bytes. An entry the resource does not define gives
// an empty text; a resource that does not exist throws XBase.
void GetResourceString(uint32_t id, char* buffer, size_t size);
void GetResourceAlert(uint32_t id, char* buffer, size_t size);
void GetResourceMenu(uint32_t id, char* buffer, size_t size);

// The whole text of an id (at most 3000 bytes).
std::string GetResourceString(uint32_t id);
std::string GetResourceAlert(uint32_t id);
std::string GetResourceMenu(uint32_t id);

} // namespace NSHarrowen
