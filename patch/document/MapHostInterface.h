#pragma once

#include "synth/protocol/ParamAddress.h"

class CMoleculePacket;

// What the assignment maps need of their document: whether a parameter
// exists or can be morphed, and a way to send a request to the synthesizer.
class CMapHostInterface {
public:
    virtual ~CMapHostInterface() = default;

    virtual bool HasParam(const ParamAddress& address) const = 0;
    virtual bool CanMorph(const ParamAddress& address) const = 0;
    // Sends without applying (requests); nothing when the document is local.
    virtual void SendOnly(CMoleculePacket& packet) = 0;
};
