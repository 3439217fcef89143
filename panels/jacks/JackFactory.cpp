#include "panels/jacks/JackFactory.h"

#include "panels/jacks/PnlJacks.h"
#include "panels/panel/Module.h"

std::unique_ptr<CPnlHole> MakeJack(CModule& panel, const JackSpec& spec)
{
    const bool output = spec.direction == JackDirection::Output;
    switch (spec.kind) {
    case SignalKind::Logic:
        return output ? std::unique_ptr<CPnlHole>(std::make_unique<CPnlLogicOutHole>(&panel, spec.x, spec.y))
                      : std::make_unique<CPnlLogicInHole>(&panel, spec.x, spec.y);
    case SignalKind::Audio:
        return output ? std::unique_ptr<CPnlHole>(std::make_unique<CPnlAudioOutHole>(&panel, spec.x, spec.y))
                      : std::make_unique<CPnlAudioInHole>(&panel, spec.x, spec.y);
    case SignalKind::Control:
        return output ? std::unique_ptr<CPnlHole>(std::make_unique<CPnlControlOutHole>(&panel, spec.x, spec.y))
                      : std::make_unique<CPnlControlInHole>(&panel, spec.x, spec.y);
    case SignalKind::Slave:
        return output ? std::unique_ptr<CPnlHole>(std::make_unique<CPnlSlaveOutHole>(&panel, spec.x, spec.y))
                      : std::make_unique<CPnlSlaveInHole>(&panel, spec.x, spec.y);
    }
    return nullptr;
}
