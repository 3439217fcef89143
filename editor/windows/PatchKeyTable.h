#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace NSHarrowen {
struct CKeyEvent;
struct CModifierKeys;
} // namespace NSHarrowen
class CPatchView;

// A key as the patch window's table matches it: the framework's key code,
// the event kind (10 down, 11 repeated, 12 up) and a modifier class.
struct CKeyCommand {
    enum EModifierClass : uint32_t { kNone = 0, kControl = 2, kShift = 3, kAny = 4 };

    uint32_t code = 0;
    uint32_t kind = 0;
    uint32_t modifiers = kNone;

    // Shift alone 3, Control alone 2, neither (or both) 0; Alt is not looked at.
    static uint32_t ClassOf(const NSHarrowen::CModifierKeys& keys);
    static CKeyCommand Of(const NSHarrowen::CKeyEvent& event);
    friend bool operator==(const CKeyCommand&, const CKeyCommand&) = default;
};

// The patch window's keyboard commands, in table order.
class PatchKeyTable {
public:
    using Handler = void (*)(CPatchView&);

    // The one table of the program, built on first use.
    static const PatchKeyTable& Get();

    // The handler of the first entry equal to the command or to it with
    // any modifiers; null when none matches.
    Handler Find(const CKeyCommand& command) const;

private:
    PatchKeyTable();

    std::vector<std::pair<CKeyCommand, Handler>> entries_;
};
