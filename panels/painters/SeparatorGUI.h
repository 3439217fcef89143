#pragma once

#include "panels/painters/SeparatorButtonGUI.h"

// The splitter bar itself: the bevel around a grey plate, always raised.
class CSeparatorGUI final : public CSeparatorButtonGUI {
public:
    explicit CSeparatorGUI(const NSHarrowen::CView& owner);

    void Raise() override { }
    void Press() override { }
};
