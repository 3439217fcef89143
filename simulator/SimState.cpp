#include "simulator/SimState.h"

namespace sim {

int SlotCount(SimModel model)
{
    return model == SimModel::Pebix ? 1 : 4;
}

int BankCount(SimModel model)
{
    return model == SimModel::Pebix ? 1 : 9;
}

uint8_t ModelByte(SimModel model)
{
    switch (model) {
    case SimModel::Kandrel:
        return 0;
    case SimModel::KandrelR:
        return 1;
    case SimModel::Pebix:
        return 2;
    case SimModel::Unknown:
        break;
    }
    return 3;
}

const char* ModelName(SimModel model)
{
    switch (model) {
    case SimModel::Kandrel:
        return "Kandrel";
    case SimModel::KandrelR:
        return "Kandrel R";
    case SimModel::Pebix:
        return "Pebix";
    case SimModel::Unknown:
        break;
    }
    return "Unknown";
}

} // namespace sim
