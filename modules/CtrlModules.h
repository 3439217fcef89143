#pragma once

#include "modules/panels/CtrlPanels.h"
#include "panels/BuildModuleOf.h"

#include <cstdint>
#include <string>

// The module types of the Ctrl tab: constants, smoothing, portamento, note scaling and control mixing.

class CBModuleConst final : public CBuildModuleOf<CModuleConst> {
public:
    CBModuleConst();
};

class CBModuleSmooth final : public CBuildModuleOf<CModuleSmooth> {
public:
    CBModuleSmooth();
};

class CBModuleSlide final : public CBuildModuleOf<CModuleSlide> {
public:
    CBModuleSlide();
};

class CBModuleSlide2 final : public CBuildModuleOf<CModuleSlide2> {
public:
    CBModuleSlide2();
};

class CBModuleScale3 final : public CBuildModuleOf<CModuleScale3> {
public:
    CBModuleScale3();
};

class CBModuleNoteq final : public CBuildModuleOf<CModuleNoteq> {
public:
    CBModuleNoteq();
};

class CBModuleScaleqnt final : public CBuildModuleOf<CModuleScaleqnt> {
public:
    CBModuleScaleqnt();
};

class CBModuleHarmqnt final : public CBuildModuleOf<CModuleHarmqnt> {
public:
    CBModuleHarmqnt();
};

class CBModuleCtrlmix final : public CBuildModuleOf<CModuleCtrlmix> {
public:
    CBModuleCtrlmix();
};

class CBModuleAmpProc final : public CBuildModuleOf<CModuleAmpProc> {
public:
    CBModuleAmpProc();
};

// Value texts of these types.
std::string ParamTextNoteScalerRange(uint8_t v);
std::string ParamTextPartialRange(uint8_t v);
std::string ParamTextMixShape(uint8_t v);
std::string ParamTextNoteVelGain(uint8_t v);
