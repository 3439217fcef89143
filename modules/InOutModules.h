#pragma once

#include "modules/panels/InOutPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <memory>
#include <string>

// The module types of the In/Out tab: keyboard, MIDI, audio in and outputs, note detector and split.

class CBModuleMidi final : public CBuildModuleOf<CModuleMidi> {
public:
    CBModuleMidi();
};

class CBModuleMidib final : public CBuildModuleOf<CModuleMidib> {
public:
    CBModuleMidib();
};

class CBModuleMidic final : public CBuildModuleOf<CModuleMidic> {
public:
    CBModuleMidic();
};

class CBModuleAudio final : public CBuildModuleOf<CModuleAudio> {
public:
    CBModuleAudio();
};

class CBModulePolyin final : public CBuildModuleOf<CModulePolyin> {
public:
    CBModulePolyin();
};

class CBModuleOut1 final : public CBuildModuleOf<CModuleOut1> {
public:
    CBModuleOut1();
};

class CBModuleOut2 final : public CBuildModuleOf<CModuleOut2> {
public:
    CBModuleOut2();
};

class CBModuleOut4 final : public CBuildModuleOf<CModuleOut4> {
public:
    CBModuleOut4();
};

class CBModuleNotedet final : public CBuildModuleOf<CModuleNotedet> {
public:
    CBModuleNotedet();
};

class CBModuleSplit final : public CBuildModuleOf<CModuleSplit> {
public:
    CBModuleSplit();
};

// Value texts of these types.
std::string ParamTextOut1Destination(uint8_t v);
std::string ParamTextOut2Destination(uint8_t v);
