#pragma once

#include <cstdint>
#include <string>

// Errors of the patch model. A thrown kind carries a sub-code that selects
// its fixed text; an operation that applies a whole list collects the
// errors of its items in one XPatchError and throws it at the end.
class XPatchError {
public:
    XPatchError() = default;
    XPatchError(const XPatchError&) = default;
    XPatchError& operator=(const XPatchError&) = default;
    virtual ~XPatchError() = default;

    virtual std::string GetText() const { return {}; }
    // Counts the error; the first one's text becomes the message.
    void Add(const XPatchError& error);
    const std::string& GetMessage() const { return message_; }
    uint16_t GetErrorCount() const { return count_; }

private:
    uint16_t count_ = 0;
    std::string message_;
};

// A kind: the root plus the sub-code.
class XPatchErrorKind : public XPatchError {
public:
    explicit XPatchErrorKind(uint32_t code) : code_(code) { }
    uint32_t GetCode() const { return code_; }

private:
    uint32_t code_;
};

class XPDontExist final : public XPatchErrorKind {
public:
    using XPatchErrorKind::XPatchErrorKind;
    std::string GetText() const override;
};

class XPOutOfRange final : public XPatchErrorKind {
public:
    using XPatchErrorKind::XPatchErrorKind;
    std::string GetText() const override;
};

class XPDoubleAssignment final : public XPatchErrorKind {
public:
    using XPatchErrorKind::XPatchErrorKind;
    std::string GetText() const override;
};

class XPToMany final : public XPatchErrorKind {
public:
    using XPatchErrorKind::XPatchErrorKind;
    std::string GetText() const override;
};

class XPIncompleteData final : public XPatchErrorKind {
public:
    using XPatchErrorKind::XPatchErrorKind;
    std::string GetText() const override;
};

class XPMapError final : public XPatchErrorKind {
public:
    using XPatchErrorKind::XPatchErrorKind;
    std::string GetText() const override;
};

// Sub-codes named where they are thrown.
namespace PatchErrorCode {
// XPDontExist
constexpr uint32_t kModuleDoesNotExist = 0;
constexpr uint32_t kParameterDoesNotExist = 1;
constexpr uint32_t kConnectorDoesNotExist = 2;
constexpr uint32_t kCableDoesNotExist = 3;
// XPOutOfRange
constexpr uint32_t kParamValueOutOfRange = 0;
constexpr uint32_t kMorphDeltaOutOfRange = 1;
constexpr uint32_t kMorphGroupOutOfRange = 2;
constexpr uint32_t kMidiCtrlOutOfRange = 3;
constexpr uint32_t kKnobDoesNotExist = 4;
constexpr uint32_t kInvalidMorphKeyboard = 5;
constexpr uint32_t kInvalidContext = 6;
constexpr uint32_t kModuleTypeDoesNotExist = 7;
constexpr uint32_t kInvalidModuleName = 8;
constexpr uint32_t kInvalidModulePosition = 9;
// XPDoubleAssignment
constexpr uint32_t kParamDoubleAssignedToKnob = 1;
constexpr uint32_t kParamDoubleAssignedToMorph = 2;
constexpr uint32_t kMidiCtrlDoubleAssigned = 3;
constexpr uint32_t kKnobDoubleAssigned = 4;
constexpr uint32_t kModuleAlreadyExists = 5;
// A cable between two jacks of one net (or a jack and itself) would close a loop.
constexpr uint32_t kJacksAlreadyConnected = 6;
// XPToMany
constexpr uint32_t kTooManyModules = 0;
constexpr uint32_t kTooManyMorphs = 1;
// A voice area's cable dump counts its cables in one byte.
constexpr uint32_t kTooManyCables = 2;
// XPIncompleteData
constexpr uint32_t kIncompleteCustomData = 0;
constexpr uint32_t kIncompleteParamData = 1;
// XPMapError
constexpr uint32_t kMorphAssignment = 0;
constexpr uint32_t kCtrlAssignment = 1;
constexpr uint32_t kKnobAssignment = 2;
constexpr uint32_t kPatchSettings = 3;
} // namespace PatchErrorCode
