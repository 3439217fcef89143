#include "dialogs/name/ControllerRange.h"

uint8_t ClampToControllerRange(uint8_t controller)
{
    return controller > 121 ? 121 : controller;
}
