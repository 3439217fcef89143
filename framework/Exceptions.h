#pragma once

#include <exception>

// The framework's failures. None carries a text or a code: the class is the
// whole report, and the code that catches one decides what the user sees.
namespace NSHarrowen {

class XBase : public std::exception {
public:
    XBase() = default;
    XBase(const XBase&) = default;
    XBase& operator=(const XBase&) = default;
    ~XBase() override = default;
};

class XOutOfMemory : public XBase {};

class XFile : public XBase {};
class XFileNotFound : public XFile {};
class XCreateFailed : public XFile {};

class XBadFormat : public XBase {};
class XUnsupportedFormat : public XBase {};
class XInternalError : public XBase {};

// Failures of decoding a JPEG picture; catchable at either level.
class XJPegBadFormat : public XBadFormat {};
class XJPegUnsupportedFormat : public XUnsupportedFormat {};
class XJPegOutOfMemory : public XOutOfMemory {};
class XJPegInternalError : public XInternalError {};

class XPosition : public XBase {};
class XRead : public XBase {};
class XWrite : public XBase {};

class XMIDI : public XBase {};
class XMIDIWriteFailed : public XMIDI {};
class XFailedOpeningMIDIPort : public XMIDI {};

} // namespace NSHarrowen
