#pragma once

#include "editor/app/EditorApp.h"
#include "framework/windows/ABCWindow.h"
#include "modules/ModuleCatalogueContent.h"
#include "platform/host/HostScope.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/windows/Window.h"
#include "resources/PatchoraResources.h"
#include "resources/PictureResources.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

// What the editor's benchmarks share: settings of their own, the editor on
// an in-memory desktop, and the module dump that fills both voice areas.

// Settings go to a folder of the benchmark's own.
inline void UsePrivateSettings()
{
    static std::string folder;
    if (folder.empty()) {
        char pattern[] = "/tmp/patchora-bench-XXXXXX";
        if (const char* made = mkdtemp(pattern)) {
            folder = made;
        }
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
}

// A dump of both areas with perArea modules each: the catalogue's types in
// turn, stacked in columns of 40 grid rows.
inline void AppendMixedAreas(CMoleculePacket& packet, uint8_t perArea)
{
    constexpr uint8_t kRowsPerColumn = 40;
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    std::vector<uint8_t> types;
    for (unsigned id = 0; id < CModuleCatalogue::kTypeSlots; ++id) {
        if (catalogue.FindBuilder(static_cast<uint8_t>(id)) != nullptr) {
            types.push_back(static_cast<uint8_t>(id));
        }
    }
    for (uint8_t area = 0; area < 2; ++area) {
        auto dump = std::make_unique<CMModuleDump>(area);
        uint8_t column = 0;
        uint8_t row = 0;
        for (uint8_t index = 1; index <= perArea; ++index) {
            const uint8_t type = types[(index + area * 127) % types.size()];
            const uint8_t height = catalogue.GetBuilder(type).GetHeight();
            if (row + height > kRowsPerColumn) {
                ++column;
                row = 0;
            }
            dump->AddModule(index, type, column, row);
            row = static_cast<uint8_t>(row + height);
        }
        packet.Append(std::move(dump));
    }
}

// The editor started on a desktop (in memory, or the real one) with its
// frame window shown; ended, with the windows it closed deleted, when it goes.
class CBenchEditor {
public:
    CBenchEditor(std::unique_ptr<platform::IHost> host, platform::ShowCommand frameShow)
    {
        UsePrivateSettings();
        PatchoraResources();
        PictureResources();
        scope_ = std::make_unique<platform::CHostScope>(std::move(host));
        app_ = std::make_unique<CEditorApp>();
        frame_ = app_->CreateFrameWindow();
        platform::ShowWindow(frame_, frameShow);
        app_->Init();
        Pump();
    }
    ~CBenchEditor()
    {
        NSHarrowen::DeleteMarkedWindows();
        Pump();
        app_->Exit();
        app_->DestroyFrameWindow();
        app_.reset();
    }
    CBenchEditor(const CBenchEditor&) = delete;
    CBenchEditor& operator=(const CBenchEditor&) = delete;

    // Handles every message waiting, as the run loop does: paints, presents.
    void Pump() { app_->PumpWaiting(100000); }
    CEditorApp& App() const { return *app_; }

private:
    std::unique_ptr<platform::CHostScope> scope_;
    std::unique_ptr<CEditorApp> app_;
    platform::WindowHandle frame_ = 0;
};
