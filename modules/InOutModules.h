#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <memory>
#include <string>

// The module types of the In/Out tab: keyboard, MIDI, audio in and outputs, note detector and split.

class CBModuleMidi final : public CBuildModule {
public:
    CBModuleMidi();
};

class CBModuleMidib final : public CBuildModule {
public:
    CBModuleMidib();
};

class CBModuleMidic final : public CBuildModule {
public:
    CBModuleMidic();
};

class CBModuleAudio final : public CBuildModule {
public:
    CBModuleAudio();
    std::unique_ptr<CModule> CreatePanel() override;
};

class CBModulePolyin final : public CBuildModule {
public:
    CBModulePolyin();
    std::unique_ptr<CModule> CreatePanel() override;
};

class CBModuleOut1 final : public CBuildModule {
public:
    CBModuleOut1();
};

class CBModuleOut2 final : public CBuildModule {
public:
    CBModuleOut2();
};

class CBModuleOut4 final : public CBuildModule {
public:
    CBModuleOut4();
};

class CBModuleNotedet final : public CBuildModule {
public:
    CBModuleNotedet();
};

class CBModuleSplit final : public CBuildModule {
public:
    CBModuleSplit();
};

// Value texts of these types.
std::string ParamTextOut1Destination(uint8_t v);
std::string ParamTextOut2Destination(uint8_t v);
