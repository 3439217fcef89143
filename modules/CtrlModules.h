#pragma once

#include "panels/BuildModule.h"

#include <cstdint>
#include <string>

// The module types of the Ctrl tab: constants, smoothing, portamento, note scaling and control mixing.

class CBModuleConst final : public CBuildModule {
public:
    CBModuleConst();
};

class CBModuleSmooth final : public CBuildModule {
public:
    CBModuleSmooth();
};

class CBModuleSlide final : public CBuildModule {
public:
    CBModuleSlide();
};

class CBModuleSlide2 final : public CBuildModule {
public:
    CBModuleSlide2();
};

class CBModuleScale3 final : public CBuildModule {
public:
    CBModuleScale3();
};

class CBModuleNoteq final : public CBuildModule {
public:
    CBModuleNoteq();
};

class CBModuleScaleqnt final : public CBuildModule {
public:
    CBModuleScaleqnt();
};

class CBModuleHarmqnt final : public CBuildModule {
public:
    CBModuleHarmqnt();
};

class CBModuleCtrlmix final : public CBuildModule {
public:
    CBModuleCtrlmix();
};

class CBModuleAmpProc final : public CBuildModule {
public:
    CBModuleAmpProc();
};

// Value texts of these types.
std::string ParamTextNoteScalerRange(uint8_t v);
std::string ParamTextPartialRange(uint8_t v);
std::string ParamTextMixShape(uint8_t v);
std::string ParamTextNoteVelGain(uint8_t v);
