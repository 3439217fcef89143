#pragma once

#include "framework/base/Point.h"
#include "framework/base/Rect.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// Small text and value functions shared across the editor. They hold no
// state.

// The integer in decimal: "-" for a negative value, no sign otherwise.
std::string IntToString(int32_t value);
// Fixed-point notation with exactly `decimals` digits after the point,
// rounded to the nearest with an exact half going away from zero; 0
// decimals gives a whole number without a point.
std::string FloatToString(double value, int decimals);

// Patch names take the 94 characters blank .. '}'; file names the same less
// " * / : < > ? \ |. Both remove the others in place and tell whether
// anything was removed.
bool RemoveInvalidPatchNameChars(std::string& text);
bool RemoveInvalidFileNameChars(std::string& text);
// The base name of a file (no folder, no extension), cut to 16 characters
// and cleaned as a patch name.
std::string PatchNameFromText(std::string_view file);
// The name cleaned as a file name; an empty result gives "_".
std::string FileNameFromPatchName(std::string_view name);
// Removes a trailing ".pch" (exact case) in place.
void RemovePatchExtension(std::string& name);

// Help topics: (type + 10) * 100 for a module type, plus parameter + 1 for
// one of its parameters.
uint32_t HelpTopicBase(uint8_t moduleType);
uint32_t ParamHelpId(uint8_t moduleType, uint8_t paramIndex);

// Stored bytes limited to their valid values.
uint8_t ToAreaIndex(uint8_t code);             // 0, 1, 2; others 1
uint8_t ClampCableColor(uint8_t value);        // above 6 becomes 6
uint8_t KeyboardAssignFromFile(uint8_t value); // 0, 1, 2; others 0
uint8_t ToTriState(uint8_t value);             // 0, 1, 2; others 0
uint8_t ToBool01(uint8_t value);               // 0, 1; others 0
int32_t IsNonZeroInt(int32_t value);
int32_t IsValueOne(int32_t value);

NSHarrowen::CPoint RectCenter(const NSHarrowen::CRect& rect);

// The text of a string id, read through a buffer of 100 characters.
std::string GetResourceText(uint32_t stringId);
// A table entry: a key byte and the text of a string id.
std::pair<uint8_t, std::string> MakeResourceTextItem(uint8_t key, uint32_t stringId);
