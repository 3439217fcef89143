#pragma once

#include "editor/prefs/Preferences.h"
#include "framework/base/Rect.h"

// A floater's record in the preferences: its window rectangle and the flag
// that it was open at the last quit. Without preferences the rectangle is
// empty (the toggler then takes the default) and nothing is recorded.
template <CPreferences::CFloaterPlace CPreferences::*Field> class CFloaterPlaceOf {
public:
    static NSHarrowen::CRect GetSavedRect()
    {
        const CPreferences* prefs = GetPreferences();
        return prefs ? (prefs->*Field).rect : NSHarrowen::CRect();
    }
    static void SaveRect(const NSHarrowen::CRect& rect)
    {
        if (CPreferences* prefs = GetPreferences())
            (prefs->*Field).rect = rect;
    }
    static bool WasOpen()
    {
        const CPreferences* prefs = GetPreferences();
        return prefs && (prefs->*Field).open;
    }
    static void SetWasOpen(bool open)
    {
        if (CPreferences* prefs = GetPreferences())
            (prefs->*Field).open = open;
    }
};
