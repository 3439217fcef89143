#pragma once

#include <exception>
#include <string>
#include <utility>

// The framework's failures. Most carry no text or code: the class is the
// whole report, and the code that catches one decides what the user sees.
namespace NSHarrowen {

class XBase : public std::exception {
public:
    XBase() = default;
    XBase(const XBase&) = default;
    XBase& operator=(const XBase&) = default;
    ~XBase() override = default;
};

class XOutOfMemory : public XBase { };

class XFile : public XBase { };
class XFileNotFound : public XFile { };
class XCreateFailed : public XFile { };

class XBadFormat : public XBase { };
class XUnsupportedFormat : public XBase { };
class XInternalError : public XBase { };

// Failures of decoding a JPEG picture; catchable at either level.
class XJPegBadFormat : public XBadFormat { };
class XJPegUnsupportedFormat : public XUnsupportedFormat { };
class XJPegOutOfMemory : public XOutOfMemory { };
class XJPegInternalError : public XInternalError { };

class XPosition : public XBase { };
class XRead : public XBase { };
class XWrite : public XBase { };

// MIDI failures carry the system's text for what went wrong (empty when it
// has none), for the alert that reports them.
class XMIDI : public XBase {
public:
    XMIDI() = default;
    explicit XMIDI(std::string text) : text_(std::move(text)) { }
    const std::string& GetText() const { return text_; }

private:
    std::string text_;
};
class XMIDIWriteFailed : public XMIDI {
public:
    using XMIDI::XMIDI;
};
class XFailedOpeningMIDIPort : public XMIDI {
public:
    using XMIDI::XMIDI;
};

} // namespace NSHarrowen
