#pragma once

#include "framework/application/Application.h"

#include <memory>
#include <vector>

namespace NSHarrowen {
class CDocumentWindow;
}

namespace demo {

// The frame at 40, 40 (800 x 600) with two document windows of drawn views.
// A frame the application has already (its run made it) is used as it is.
class DemoScene {
public:
    explicit DemoScene(NSHarrowen::CApplication& app);
    ~DemoScene();
    DemoScene(const DemoScene&) = delete;
    DemoScene& operator=(const DemoScene&) = delete;

private:
    NSHarrowen::CApplication& app_;
    bool ownsFrame_ = false;
};

} // namespace demo
