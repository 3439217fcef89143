#pragma once

#include "synth/protocol/ProtocolErrors.h"

#include <cstdint>
#include <string>

// A failure of the editor's text files (patch files, patch lists,
// preferences), with the text the user sees and a number: 1 for open,
// create, read, write and version failures, 2 for a corrupt file, 3 for a
// 2.10 file that could not be converted.
class XFileBase : public XTorvanBase {
public:
    enum : uint32_t { kFileError = 1, kCorrupt = 2, kConversion = 3 };

    XFileBase(std::string text, uint32_t number) : XTorvanBase(std::move(text)), number_(number) { }

    // "File Corrupt", number 2.
    static XFileBase Corrupt();
    // "Problem with converting from 2.1 to 3", number 3.
    static XFileBase ConversionProblem();

    uint32_t GetNumber() const { return number_; }

    // A patch file that broke off is applied as far as it was read and
    // reported afterwards; this mark tells such a report from a failure
    // that came before anything was applied.
    void MarkRaisedAfterApplying() { afterApplying_ = true; }
    bool WasRaisedAfterApplying() const { return afterApplying_; }

private:
    uint32_t number_;
    bool afterApplying_ = false;
};
