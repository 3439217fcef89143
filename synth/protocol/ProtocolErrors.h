#pragma once

#include <cstdint>
#include <exception>
#include <string>

// Root of the editor's file and protocol errors. It is a root of its own,
// apart from the framework's XBase, and always carries the text the user
// sees.
class XTorvanBase : public std::exception {
public:
    explicit XTorvanBase(std::string text) : m_text(std::move(text)) { }
    const std::string& GetText() const { return m_text; }
    const char* what() const noexcept override { return m_text.c_str(); }

private:
    std::string m_text;
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
    explicit XMHostMidi(uint8_t code) : XTorvanBase("Synth MIDI in error"), m_code(code) { }
    uint8_t GetCode() const { return m_code; }
    // The text shown for the code; empty for codes without one.
    std::string GetErrorText() const;

private:
    uint8_t m_code;
};

// A synthesizer port needs at least one MIDI input and one output.
class XNoMidiPorts : public XTorvanBase {
public:
    XNoMidiPorts() : XTorvanBase("No MIDI ports installed") { }
};
