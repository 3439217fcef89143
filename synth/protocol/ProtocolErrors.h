#pragma once

#include <cstdint>
#include <exception>
#include <string>

// Root of the editor's file and protocol errors. It is a root of its own,
// apart from the framework's XBase, and always carries the text the user
// sees.
class XTorvanBase : public std::exception {
public:
    explicit XTorvanBase(std::string text) : text_(std::move(text)) { }
    const std::string& GetText() const { return text_; }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

// A bit stream ran past its bound.
class XMStreamOverflow : public XTorvanBase {
public:
    XMStreamOverflow() : XTorvanBase("Stream too long") { }
};

// A received molecule id has no builder.
class XMUnregisteredMolecule : public XTorvanBase {
public:
    XMUnregisteredMolecule() : XTorvanBase("Unregistered molecule") { }
};

// The synthesizer reported an error (0x7E followed by its code).
class XMHostMidi : public XTorvanBase {
public:
    explicit XMHostMidi(uint8_t code) : XTorvanBase("Synth MIDI in error"), code_(code) { }
    uint8_t GetCode() const { return code_; }
    // The text shown for the code; empty for codes without one.
    std::string GetErrorText() const;

private:
    uint8_t code_;
};

// A synthesizer port needs at least one MIDI input and one output.
class XNoMidiPorts : public XTorvanBase {
public:
    XNoMidiPorts() : XTorvanBase("No MIDI ports installed") { }
};
