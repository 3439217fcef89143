#pragma once

#include "framework/Application.h"

#include <memory>
#include <vector>

namespace NSHarrowen {
class CDocumentWindow;
}

namespace demo {

// The frame at 40, 40 (800 x 600) with two document windows of drawn views.
class DemoScene {
public:
    explicit DemoScene(NSHarrowen::CApplication& app);
    ~DemoScene();
    DemoScene(const DemoScene&) = delete;
    DemoScene& operator=(const DemoScene&) = delete;

private:
    NSHarrowen::CApplication& app_;
};

} // namespace demo
