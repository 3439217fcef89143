#include "panels/painters/SeparatorGUI.h"

CSeparatorGUI::CSeparatorGUI(const NSHarrowen::CView& owner) : CSeparatorButtonGUI(owner, NSHarrowen::CImageID()) { }
