#include "panels/ParamTextFunctions.h"

#include "synth/protocol/TextFunctions.h"

#include <cmath>
#include <cstdlib>

namespace {

std::string Signed(int32_t n)
{
    return n > 0 ? "+" + IntToString(n) : IntToString(n);
}

double Ratio(int32_t coarse, int32_t fine)
{
    return std::pow(2.0, (coarse + fine / 128.0) / 12.0);
}

bool RatioIsDecimal(int16_t coarse, int16_t fine, double r)
{
    double m = 0.0;
    double e = 0.0;
    double r2 = 0.0;
    if (r >= 1.0) {
        m = std::floor(r + 0.5);
        e = m - r;
        r2 = Ratio(coarse, e >= 0 ? fine + 1 : fine - 1);
    } else {
        const double inverse = 1.0 / r;
        m = std::floor(inverse + 0.5);
        e = m - inverse;
        r2 = 1.0 / Ratio(coarse, e <= 0 ? fine + 1 : fine - 1);
    }
    // Decimal when a neighbouring fine step lies closer to the whole number
    // or the whole number is not between the two steps.
    return std::fabs(m - r2) < std::fabs(e) || (m - r2) * e > 0;
}

std::string RatioText(int16_t coarse, int16_t fine, int decimals, const char* prefix)
{
    const double r = Ratio(coarse, fine);
    if (RatioIsDecimal(coarse, fine, r))
        return prefix + FloatToString(r, r < 10.0 ? decimals + 1 : decimals);
    const auto a = static_cast<uint8_t>(coarse > 0 ? std::floor(r + 0.5) : 1.0);
    const auto b = static_cast<uint8_t>(coarse < 0 ? std::floor(1.0 / r + 0.5) : 1.0);
    return IntToString(a) + ":" + IntToString(b);
}

// Milliseconds below 10 ms with one decimal, below 1 s without, then
// seconds with `secondDecimals` below 10 s and `longDecimals` from there.
std::string TimeText(double seconds, const char* msUnit, int shortDecimals, int longDecimals)
{
    if (seconds < 0.01)
        return FloatToString(seconds * 1000.0, 1) + msUnit;
    if (seconds < 1.0)
        return FloatToString(seconds * 1000.0, 0) + msUnit;
    if (seconds < 10.0)
        return FloatToString(seconds, shortDecimals) + "s";
    return FloatToString(seconds, longDecimals) + "s";
}

} // namespace

std::string NoteText(int32_t note)
{
    static const char* const kNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "Bb", "B"};
    const int32_t octave = note >= 0 ? note / 12 - 1 : (note - 11) / 12 - 1;
    const int32_t step = ((note % 12) + 12) % 12;
    return std::string(kNames[step]) + IntToString(octave);
}

std::string ParamTextRatio(int16_t coarse, int16_t fine, int decimals)
{
    return RatioText(coarse, fine, decimals, "x");
}

std::string ParamTextRatioPlain(int16_t coarse, int16_t fine, int decimals)
{
    return RatioText(coarse, fine, decimals, "");
}

std::string ParamTextOnOff(uint8_t v)
{
    return v == 0 ? "Off" : "On";
}

std::string ParamTextPhase(uint8_t v)
{
    return IntToString(static_cast<int32_t>(std::trunc((v - 64) * 360.0 / 128.0)));
}

std::string ParamTextNumberOrOff(uint8_t v)
{
    return v == 0 ? "Off" : IntToString(v);
}

std::string ParamTextNoteName(uint8_t v)
{
    return NoteText(v);
}

std::string ParamTextKeyNote(uint8_t v)
{
    return v == 64 ? NoteText(v) + " KEY" : NoteText(v);
}

std::string ParamTextKeyNoteShifted(uint8_t v)
{
    const int32_t note = v + 4;
    return note == 64 ? NoteText(note) + " KEY" : NoteText(note);
}

std::string ParamTextNumberPlusOne(uint8_t v)
{
    return IntToString(v + 1);
}

std::string ParamTextNumber(uint8_t v)
{
    return IntToString(v);
}

std::string ParamTextNegated(uint8_t v)
{
    return v == 0 ? "0" : IntToString(-static_cast<int32_t>(v));
}

std::string ParamTextUnipolarHalf(uint8_t v)
{
    if (v == 127)
        return "64";
    return v % 2 != 0 ? IntToString(v / 2) + ".5" : IntToString(v / 2);
}

std::string ParamTextBipolar(uint8_t v)
{
    return v == 127 ? "+64" : Signed(v - 64);
}

std::string ParamTextSigned(uint8_t v)
{
    return Signed(v - 64);
}

std::string ParamTextTime(uint8_t v)
{
    return TimeText(0.001 * std::pow(1.08, v), "ms", 1, 0);
}

std::string ParamTextEnvTime(uint8_t v)
{
    const double t = 0.0005 * std::exp(0.0898189003583 * v) + 0.0002 * v;
    return TimeText(t, "m", 1, 1);
}

std::string FrequencyTextA(double hertz)
{
    if (hertz < 1000.0)
        return FloatToString(hertz, 0) + "Hz";
    if (hertz < 10000.0)
        return FloatToString(hertz * 0.001, 2) + "kHz";
    return FloatToString(hertz * 0.001, 1) + "kHz";
}

std::string FrequencyTextB(double hertz)
{
    if (hertz < 100.0)
        return FloatToString(hertz, 2) + "Hz";
    if (hertz < 1000.0)
        return FloatToString(hertz, 1) + "Hz";
    if (hertz < 10000.0)
        return FloatToString(hertz * 0.001, 3) + "kHz";
    return FloatToString(hertz * 0.001, 2) + "kHz";
}

std::string ParamTextFreq(uint8_t v)
{
    return FrequencyTextA(440.0 * std::pow(2.0, (v - 65) / 12.0));
}

std::string ParamTextFreqQuarterTone(uint8_t v)
{
    const double f = 440.0 * std::pow(2.0, (v - 107) / 24.0);
    return FloatToString(f, f < 100.0 ? 1 : 0) + "Hz";
}

std::string ParamTextFreq12To20k(uint8_t v)
{
    return FrequencyTextA(12.0 * std::pow(1666.0, v / 127.0));
}

std::string ParamTextFreq20To16k(uint8_t v)
{
    return FrequencyTextA(20.0 * std::pow(800.0, v / 127.0));
}

std::string ParamTextFreq100To16k(uint8_t v)
{
    return FrequencyTextA(100.0 * std::pow(160.0, v / 127.0));
}

std::string ParamTextFreqFine(uint8_t note, uint8_t fine)
{
    return FrequencyTextB(440.0 * std::pow(2.0, (note - 69 + (fine - 64) / 128.0) / 12.0));
}

std::string ParamTextFreqHigh(uint8_t v)
{
    return FrequencyTextB(1760.0 * std::pow(2.0, (v - 69) / 12.0));
}

std::string ParamTextPartialRatio(uint8_t v)
{
    return ParamTextRatio(static_cast<int16_t>(v / 4), static_cast<int16_t>((v % 4) * 32), 1);
}

std::string ParamTextCentred(uint8_t v)
{
    return ParamTextRatio(static_cast<int16_t>(v - 64), 0, 2);
}

std::string ParamTextKeyTrack(uint8_t v)
{
    if (v == 0)
        return "Off";
    if (v == 64)
        return "Key";
    if (v == 127)
        return "x2";
    return "x" + FloatToString(v / 64.0, 2);
}

std::string ParamTextKeyOrOff(uint8_t v)
{
    return v == 0 ? "Off" : "Key";
}

std::string ParamTextPercent(uint8_t v)
{
    return IntToString(((v * 99) >> 7) + 1) + "%";
}

std::string ParamTextCurve(uint8_t v)
{
    return v == 0 ? "Log" : v == 1 ? "Lin" : "Exp";
}

std::string ParamTextLfoRate(uint8_t rate, uint8_t range)
{
    double x = 0.0;
    const char* unit = "Hz";
    if (range == 0) {
        x = 699.0506666667 / (rate + 1);
        unit = "s";
    } else if (range == 1) {
        x = 0.0159 * std::pow(2.0, rate / 12.0);
    } else {
        x = 0.2555 * std::pow(2.0, rate / 12.0);
    }
    if (x < 0.1)
        return FloatToString(1.0 / x, 1) + "s";
    if (x < 10.0)
        return FloatToString(x, 2) + unit;
    if (x < 100.0)
        return FloatToString(x, 1) + unit;
    return FloatToString(x, 0) + unit;
}

std::string ParamTextLfoRange(uint8_t v)
{
    return v == 0 ? "Sub" : v == 1 ? "Lo" : "Hi";
}

std::string ParamTextWave(uint8_t v)
{
    static const char* const kNames[] = {"Sine", "Tri", "Saw", "Sqr"};
    return kNames[v < 3 ? v : 3];
}

std::string ParamTextWaveSawN(uint8_t v)
{
    static const char* const kNames[] = {"Sine", "Tri", "Saw", "SawN", "Sqr"};
    return kNames[v < 4 ? v : 4];
}

std::string ParamTextPlusMinus(uint8_t v)
{
    if (v == 0)
        return "0";
    if (v == 127)
        return std::string(kPlusMinusSign) + "64";
    return std::string(kPlusMinusSign) + FloatToString(v / 2.0, 1);
}

std::string ParamTextGainDb(uint8_t v)
{
    const int32_t u = v == 127 ? 128 : v;
    return FloatToString((u - 64) * 0.28125, 1) + "dB";
}

std::string ParamTextFactor(uint8_t v)
{
    const double r = v == 127 ? 4.0 : 0.25 * std::pow(16.0, v / 128.0);
    return "x" + FloatToString(r, 2);
}

std::string ParamTextByPolarity(uint8_t v, uint8_t polarity)
{
    return polarity != 0 ? ParamTextUnipolarHalf(v) : ParamTextBipolar(v);
}

std::string ParamTextPolarity(uint8_t v)
{
    return v == 0 ? "Bipolar" : "Unipolar";
}

std::string ParamTextTrigGate(uint8_t v)
{
    return v == 0 ? "Trig" : "Gate";
}

std::string ParamTextGoStop(uint8_t v)
{
    return v == 0 ? "Go" : "Stop";
}
