#pragma once

#include <cstdint>
#include <string>

// The shared parameter value texts. Each takes a 7-bit value (and a second
// parameter's value for the two-value ones) and returns the display text,
// unit appended without a blank. Texts are UTF-8, so the plus-minus sign
// takes two bytes.

inline constexpr const char* kPlusMinusSign = "\xC2\xB1";

// "C" .. "B" with the octave v / 12 - 1: 0 is "C-1", 60 "C4", 127 "G9".
std::string NoteText(int32_t note);

// A pitch interval of c semitones and k 128ths of a semitone as a frequency
// ratio: "3:1" where the ratio is whole to the fine resolution, else
// "x" + the ratio with d + 1 decimals (d from 10 up).
std::string ParamTextRatio(int16_t coarse, int16_t fine, int decimals);
// The same without the "x".
std::string ParamTextRatioPlain(int16_t coarse, int16_t fine, int decimals);

std::string ParamTextOnOff(uint8_t v);
std::string ParamTextPhase(uint8_t v);
std::string ParamTextNumberOrOff(uint8_t v);
std::string ParamTextNoteName(uint8_t v);
std::string ParamTextKeyNote(uint8_t v);
std::string ParamTextKeyNoteShifted(uint8_t v);
std::string ParamTextNumberPlusOne(uint8_t v);
std::string ParamTextNumber(uint8_t v);
std::string ParamTextNegated(uint8_t v);
std::string ParamTextUnipolarHalf(uint8_t v);
std::string ParamTextBipolar(uint8_t v);
std::string ParamTextSigned(uint8_t v);
std::string ParamTextTime(uint8_t v);
std::string ParamTextEnvTime(uint8_t v);
std::string ParamTextFreq(uint8_t v);
std::string ParamTextFreqQuarterTone(uint8_t v);
std::string ParamTextFreq12To20k(uint8_t v);
std::string ParamTextFreq20To16k(uint8_t v);
std::string ParamTextFreq100To16k(uint8_t v);
std::string ParamTextFreqFine(uint8_t note, uint8_t fine);
std::string ParamTextFreqHigh(uint8_t v);
std::string ParamTextPartialRatio(uint8_t v);
std::string ParamTextCentred(uint8_t v);
std::string ParamTextKeyTrack(uint8_t v);
std::string ParamTextKeyOrOff(uint8_t v);
std::string ParamTextPercent(uint8_t v);
std::string ParamTextCurve(uint8_t v);
std::string ParamTextLfoRate(uint8_t rate, uint8_t range);
std::string ParamTextLfoRange(uint8_t v);
std::string ParamTextWave(uint8_t v);
std::string ParamTextWaveSawN(uint8_t v);
std::string ParamTextPlusMinus(uint8_t v);
std::string ParamTextGainDb(uint8_t v);
std::string ParamTextFactor(uint8_t v);
std::string ParamTextByPolarity(uint8_t v, uint8_t polarity);
std::string ParamTextPolarity(uint8_t v);
std::string ParamTextTrigGate(uint8_t v);
std::string ParamTextGoStop(uint8_t v);

// Frequency formats: A for whole hertz and kHz with 2 or 1 decimals, B with
// one more decimal each.
std::string FrequencyTextA(double hertz);
std::string FrequencyTextB(double hertz);
