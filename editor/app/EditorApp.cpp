#include "editor/app/EditorApp.h"
#include "panels/painters/PictureKeys.h"

#include "editor/app/EditorCommands.h"
#include "editor/clipboard/Clipboard.h"
#include "editor/app/EditorDialogsInterface.h"
#include "editor/app/EditorPanelServices.h"
#include "editor/floaters/FloaterCommands.h"
#include "editor/patches/PatchManager.h"
#include "editor/prefs/Preferences.h"
#include "editor/slots/SlotChoice.h"
#include "editor/testhook/EditorStateReport.h"
#include "editor/toolbar/TBWindow.h"
#include "editor/windows/PatchView.h"
#include "framework/alerts/AlertBox.h"
#include "framework/base/Exceptions.h"
#include "framework/files/AskFileDialogs.h"
#include "framework/files/MemoryMedia.h"
#include "framework/images/BMPReader.h"
#include "framework/images/PixelFormat.h"
#include "framework/input/MouseState.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"
#include "framework/menus/MenuScript.h"
#include "framework/resources/ResourceModule.h"
#include "framework/views/StaticBitmapView.h"
#include "framework/windows/ABCWindow.h"
#include "framework/windows/SplashScreen.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "platform/system/Clock.h"
#include "platform/system/HeapWarmth.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "panels/graphs/GraphSurface.h"
#include "panels/panel/PanelModuleServices.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/document/Patch.h"
#include "patch/files/AskPatchFileSaveSpec.h"
#include "patch/files/TransferDocuments.h"
#include "synth/files/PatchFileTypes.h"
#include "synth/link/PortManager.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/protocol/TextFunctions.h"

#include <exception>
#include <new>

using namespace NSHarrowen;
using namespace editorcommands;

CEditorApp::CEditorApp(const CStartupRecord& record) : CApplication(record) { }

CEditorApp::CEditorApp(std::string name) : CApplication(std::move(name)) { }

CEditorApp::~CEditorApp()
{
    Teardown();
}

void CEditorApp::ShowSplash()
{
    try {
        const CPoint size = GetImageSize(CImageID(kSplashPicture));
        splash_ = std::make_unique<CSplashScreen>(new CStaticBitmapView(nullptr, kSplashPicture), size.x, size.y,
                                                  kSplashTicks);
        platform::ShowWindow(splash_->GetHandle(), platform::ShowCommand::Show);
        splash_->InvalidateAll();
        // The splash is on the screen first, before the frame under it
        // paints: it is what the user looks at while the program starts.
        platform::UpdateWindow(splash_->GetHandle());
        platform::FlushWindow(splash_->GetHandle());
        PumpWaiting(1000); // the splash paints before the slower steps
        platform::FlushScreen();
        splashShownAt_ = platform::NowMilliseconds();
    } catch (const std::exception&) {
        // A program built without its pictures starts without a splash.
        splash_.reset();
    }
}

void CEditorApp::CloseSplash()
{
    // The splash stays up for its minimum time as it goes.
    splash_.reset();
    // Its decoded picture (a fifth of a megabyte) would stay cached for
    // good; the About box decodes it again when it is shown.
    GetImageCache().Remove(CImageID(kSplashPicture));
}

void CEditorApp::BuildMenus()
{
    bar_ = std::make_unique<CMenuBar>();
    for (size_t i = 0; i < kMenuScripts.size(); ++i) {
        menus_[i] = std::make_unique<CMenu>(kMenuScripts[i]);
        bar_->AppendMenu(menus_[i].get());
    }
    bar_->LeaveModal();
}

void CEditorApp::Init()
{
    screenFormat_ = CPixelFormat::CreateForScreen();
    ShowSplash();
    SetStandardCommands({kClose, kCut, kCopy, kPaste, kClear});
    InitGraphBitmap();
    BuildMenus();

    registry_ = std::make_unique<CMoleculeRegistry>();
    RegisterReceivedMolecules(*registry_);
    SetMoleculeRegistry(registry_.get());
    catalogue_ = MakeModuleCatalogue();
    SetModuleTypeInfo(catalogue_.get());
    // New modules of the documents are module panels.
    moduleServices_ = std::make_unique<CPanelModuleServices>(*catalogue_);
    panelServices_ = std::make_unique<CEditorPanelServices>();
    // The preferences and the patch list exist (empty) before the port
    // manager, which holds on to both.
    preferences_ = std::make_unique<CPreferences>();
    SetPreferences(preferences_.get());
    patches_ = std::make_unique<CPatchManager>();
    SetPatchManager(patches_.get());
    clipboard_ = std::make_unique<CClipboard>();
    SetModuleClipboard(clipboard_.get());
    SetEditorServices(this);
    transferDocuments_ = std::make_unique<CTransferDocuments>();
    ports_ =
        std::make_unique<CPortManager>(CPortManagerServices{*this, *preferences_, *patches_, transferDocuments_.get()});
    patches_->SetPortManager(ports_.get());
    auto* toolbar = new CTBWindow(*catalogue_);
    SetToolbarWindow(toolbar);
    SetToolbar(toolbar);

    preferences_->Load();
    ports_->OpenPortsFromPreferences();
    if (const platform::WindowHandle frame = GetFrameHandle())
        platform::InvalidateRect(frame, nullptr, false);
    CFloaterCommands::ReopenFromPreferences();
    if (CEditorDialogsInterface* dialogs = GetEditorDialogs(); dialogs && preferences_->browser.open)
        Guarded([dialogs] { dialogs->ToggleBrowser(); });
    CloseSplash();
    stateReport_ = CEditorStateReport::FromEnvironment(patches_.get(), ports_.get());
    // The toolbar and the floaters show the state they start in, before any
    // input would ask them to.
    UpdateAllWindows();
}

void CEditorApp::Teardown()
{
    stateReport_.reset();
    // The toolbar shows the patches and ports: it goes before them.
    DestroyToolbar();
    if (patches_)
        patches_->DeleteAll();
    SetPatchManager(nullptr);
    patches_.reset();
    SetModuleClipboard(nullptr);
    clipboard_.reset();
    ports_.reset();
    transferDocuments_.reset();
    SetMoleculeRegistry(nullptr);
    registry_.reset();
    panelServices_.reset();
    moduleServices_.reset();
    SetModuleTypeInfo(nullptr);
    catalogue_.reset();
    if (GetEditorServices() == this)
        SetEditorServices(nullptr);
    FreeGraphBitmap();
    SetPreferences(nullptr);
    preferences_.reset();
    for (auto& menu : menus_)
        menu.reset();
    bar_.reset();
    splash_.reset();
}

void CEditorApp::BeginDragSelection(CPatch& patch)
{
    if (!clipboard_)
        return;
    // The drag starts from the panel under the mouse; it learns of the end.
    CView* source = nullptr;
    if (CPatchBackground* area = patch.GetArea(patch.GetSelection().GetAreaIndex()))
        for (CModuleInterface* module : area->GetModules())
            if (module->GetView().IsMouseInside())
                source = &module->GetView();
    clipboard_->BeginDragFromPanel(source, patch);
}

void CEditorApp::CancelModuleDrag()
{
    if (clipboard_)
        clipboard_->Cancel();
}

void CEditorApp::BeginDragNewModule(CPatchBackground& area, uint8_t typeId)
{
    if (clipboard_)
        clipboard_->BeginDragNewModule(&area, typeId);
}

void CEditorApp::AreaWillScroll(CPatchBackground& area)
{
    if (clipboard_)
        clipboard_->AreaWillScroll(area);
}

void CEditorApp::AreaDidScroll(CPatchBackground& area)
{
    if (clipboard_)
        clipboard_->AreaDidScroll(area);
}

void CEditorApp::Exit()
{
    // The floaters record their places as they go.
    CFloaterCommands::CloseAll();
    if (CEditorDialogsInterface* dialogs = GetEditorDialogs())
        dialogs->CloseBrowser();
    if (preferences_)
        preferences_->Save();
    Teardown();
}

void CEditorApp::Idle()
{
    // The first idle step comes after the first frame: the heap a full
    // patch's panels take when opened (both areas of 127 modules grow it by
    // about 0.7 MB) is mapped in now instead of page by page as they are made.
    if (!heapWarmed_) {
        heapWarmed_ = true;
        constexpr size_t kFirstPatchHeap = 1024 * 1024;
        platform::KeepHeapWarm(kFirstPatchHeap);
    }
    if (ports_)
        ports_->Idle();
    if (patches_)
        patches_->Idle();
    if (const uint32_t alert = deferredAlert_) {
        // Cleared first: an alert posted while this one shows waits for the next step.
        deferredAlert_ = 0;
        try {
            NSHarrowen::RunAlert(alert);
        } catch (const XBase&) {
            // Nothing is left to tell the user with: only the record remains.
            platform::RecordDroppedException("a deferred alert");
        }
    }
    if (stateReport_)
        stateReport_->Poll();
    CApplication::Idle();
}

void CEditorApp::OnMidiArrival()
{
    if (ports_)
        ports_->OnMidiArrival();
}

void CEditorApp::KeepAlive()
{
    if (ports_)
        ports_->KeepContact();
}

bool CEditorApp::CanQuit()
{
    if (!patches_)
        return true;
    if (!patches_->QuerySaveAll())
        return false;
    patches_->ClearAllDirty();
    if (preferences_) {
        CFloaterCommands::RecordOpenFlags();
    }
    return true;
}

platform::Point CEditorApp::GetSmallestDocumentSize() const
{
    // A patch window of the smallest usable content, in its sizing frame.
    const int border = platform::GetSystemMetric(platform::Metric::SizingFrameX);
    const int height = platform::GetSystemMetric(platform::Metric::SizingFrameY);
    const int caption = platform::GetSystemMetric(platform::Metric::CaptionHeight);
    return {CPatchView::kSmallestWidth + 2 * border, CPatchView::kSmallestHeight + caption + 2 * height};
}

void CEditorApp::UpdateMenus(CMenuBar* bar)
{
    if (!bar)
        return;
    for (uint32_t command : kPatchWindowCommands)
        bar->SetCommandEnabled(command, false);
    for (uint32_t command : {kNew, kOpen, kQuit, kHelpContents, kUsingHelp})
        bar->SetCommandEnabled(command, true);
    bar->SetCommandEnabled(kAbout, GetEditorDialogs() != nullptr);
    bar->SetCommandEnabled(kMidi, GetEditorDialogs() != nullptr && ports_);
    bar->SetCommandEnabled(kOptions, GetEditorDialogs() != nullptr && preferences_);
    bar->SetCommandEnabled(kSynthSettings,
                           GetEditorDialogs() != nullptr && ports_ && ports_->HasCurrentSynthSettings());
    const bool anyPatchWindow = patches_ && patches_->CountOpenWindows() > 0;
    bar->SetCommandEnabled(kCloseAll, anyPatchWindow);
    bar->SetCommandEnabled(kSaveAll, anyPatchWindow);
    bar->SetCommandEnabled(kClose, GetActiveDocumentWindow() != nullptr);
    bar->SetCommandEnabled(kUploadActiveSlot, ports_ && ports_->HasCurrentSynth());
    for (uint32_t command : {kKnobFloater, kKeyboardFloater, kNotesFloater})
        if (CFloaterCommands::Handles(command))
            bar->SetCommandState(command, true, CFloaterCommands::IsOpen(command));
    // The browser and the bank dialogs come with the program's dialogs.
    const CEditorDialogsInterface* dialogs = GetEditorDialogs();
    bar->SetCommandState(kBrowser, dialogs != nullptr, dialogs && dialogs->IsBrowserShown());
    const bool bankDialogs = dialogs && ports_ && ports_->HasCurrentSynth();
    bar->SetCommandEnabled(kBankUpload, bankDialogs);
    bar->SetCommandEnabled(kBankDownload, bankDialogs);
    const bool shown = AnyDocumentWindowShown();
    for (uint32_t command : {kCascade, kTileHorizontally, kTileVertically})
        bar->SetCommandEnabled(command, shown);
    UpdateWindowsMenu();
}

void CEditorApp::UpdateWindowsMenu()
{
    CMenu* windows = menus_[kWindowsMenu].get();
    if (!windows)
        return;
    // The separator is the list's own (a dynamic item): it goes with the
    // list at every update and comes back once with it.
    windows->RemoveDynamicItems();
    if (!patches_ || patches_->CountOpenWindows() == 0)
        return;
    CMenuItemRecord separator;
    separator.kind = CMenuItemRecord::kSeparator;
    separator.dynamic = true;
    windows->InsertItem(kWindowListStart - 1, separator);
    if (!windows->BuildWindowList(kWindowListStart))
        windows->RemoveDynamicItems();
}

template <typename Step> bool CEditorApp::Guarded(Step step)
{
    try {
        step();
        return true;
    } catch (const std::exception&) {
        PostDeferredAlert(kAlertNotEnoughMemory);
        return false;
    }
}

template <typename Step> bool CEditorApp::Quietly(const char* where, Step step)
{
    try {
        step();
        return true;
    } catch (const std::exception&) {
        platform::RecordDroppedException(where);
        return false;
    }
}

void CEditorApp::RunHelp(bool contents)
{
    try {
        if (contents)
            ShowHelpFinder();
        else
            ShowHelpOnHelp();
    } catch (const std::exception&) {
        NSHarrowen::RunAlert(kAlertHelpFile);
    }
}

void CEditorApp::HandleMenuSelect(CMenu* menu, uint32_t command)
{
    switch (command) {
    case kNew:
        Guarded([this] { NewPatch(); });
        break;
    case kOpen:
        OpenPatch();
        break;
    case kCloseAll:
        if (patches_)
            patches_->CloseAll();
        break;
    case kSaveAll:
        if (patches_)
            patches_->SaveAll();
        break;
    case kQuit:
        RequestQuit();
        break;
    case kClose:
        if (CABCWindow* window = GetActiveDocumentWindow())
            window->RequestClose();
        break;
    case kUploadActiveSlot:
        // The port reports the failure of its link itself.
        Quietly("uploading the current slot", [this] {
            if (ports_ && patches_ && ports_->HasCurrentSynth())
                patches_->ShowSlotPatch(ports_->GetCurrentPort(), ports_->GetCurrentSlot());
        });
        break;
    case kCascade:
        Cascade();
        break;
    case kTileHorizontally:
        TileHorizontally();
        break;
    case kTileVertically:
        TileVertically();
        break;
    case kOptions:
        // Without a guard: its failures go to the framework's loop.
        if (CEditorDialogsInterface* dialogs = GetEditorDialogs())
            dialogs->RunOptions();
        break;
    case kSynthSettings:
        Guarded([this] {
            CEditorDialogsInterface* dialogs = GetEditorDialogs();
            if (dialogs && ports_ && ports_->HasCurrentSynthSettings())
                dialogs->RunSynthSettings(ports_->GetCurrentPort());
        });
        break;
    case kMidi:
        Guarded([] {
            if (CEditorDialogsInterface* dialogs = GetEditorDialogs())
                dialogs->RunMidiSetup();
        });
        break;
    case kHelpContents:
        RunHelp(true);
        break;
    case kUsingHelp:
        RunHelp(false);
        break;
    case kKnobFloater:
    case kKeyboardFloater:
    case kNotesFloater:
        Guarded([command] { CFloaterCommands::Toggle(command); });
        break;
    case kBrowser:
        if (CEditorDialogsInterface* dialogs = GetEditorDialogs())
            Guarded([dialogs] { dialogs->ToggleBrowser(); });
        break;
    case kBankDownload:
    case kBankUpload:
        Guarded([this, command] { RunBankDialog(command); });
        break;
    case kAbout:
        Quietly("the about box", [] {
            if (CEditorDialogsInterface* dialogs = GetEditorDialogs())
                dialogs->RunAbout();
        });
        break;
    default:
        ActivateWindowFromMenu(command);
        CApplication::HandleMenuSelect(menu, command);
        return;
    }
    UpdateAllWindows();
}

void CEditorApp::AskSlot(CSlotChoice& choice)
{
    CEditorDialogsInterface* dialogs = GetEditorDialogs();
    if (dialogs && ports_ && ports_->CountSynths() > 0) {
        dialogs->RunSlotDialog(choice);
        return;
    }
    choice.SetLocal();
    choice.ClearResult();
}

void CEditorApp::RunBankDialog(uint32_t command)
{
    CEditorDialogsInterface* dialogs = GetEditorDialogs();
    if (!dialogs || !ports_ || !ports_->HasCurrentSynth())
        return;
    if (command == kBankDownload)
        dialogs->RunBankDownload(ports_->GetCurrentPort());
    else
        dialogs->RunBankUpload(ports_->GetCurrentPort());
}

void CEditorApp::NewPatch()
{
    CSlotChoice choice("New patch", true);
    AskSlot(choice);
    if (!patches_ || choice.IsCancelled() || choice.GetResult() == CSlotChoice::kNotEnded)
        return;
    if (choice.IsUpload())
        patches_->ShowSlotPatch(choice.GetPort(), choice.GetSlot());
    else if (choice.IsLocal())
        patches_->NewLocalPatch();
    else
        patches_->NewPatchInSlot(choice.GetPort(), choice.GetSlot());
}

void CEditorApp::OpenPatch()
{
    std::unique_ptr<CFileTypeInfo> type;
    std::unique_ptr<CFileSpec> file;
    bool chosen = false;
    Quietly("the open dialog",
            [&] { chosen = AskOpenFileOverFrame("Open", MakePatchOpenTypes(), type, file) && patches_; });
    if (!chosen)
        return;
    CSlotChoice choice(PatchNameFromText(file->GetFileName()), false);
    if (!Guarded([this, &choice] { AskSlot(choice); }))
        return;
    if (choice.IsCancelled() || choice.GetResult() == CSlotChoice::kNotEnded)
        return;
    // The load alerts have been shown; anything else ends the command.
    Quietly("opening a patch file", [&] {
        if (choice.IsLocal())
            patches_->OpenLocalPatchFile(*file);
        else
            patches_->OpenPatchFileInSlot(choice.GetPort(), choice.GetSlot(), *file);
    });
}

void CEditorApp::OpenDocument(const CFileSpec& file, const CUnknownFileType&, uint32_t)
{
    if (openingDocuments_ || !patches_)
        return;
    openingDocuments_ = true;
    try {
        if (ports_ && ports_->HasCurrentSynth())
            patches_->OpenPatchFileInSlot(ports_->GetCurrentPort(), ports_->GetCurrentSlot(), file);
        else
            patches_->OpenLocalPatchFile(file);
    } catch (const std::exception&) {
        SystemBeep();
    }
    openingDocuments_ = false;
}

CABCBitmap* CEditorApp::GetImage(const CImageID& id)
{
    if (CABCBitmap* cached = GetImageCache().Find(id))
        return cached;
    if (id.GetWord(1) != 0) {
        // Symbol strips and the knobs' and meters' picture strips are bitmaps of two kinds.
        const char* const type = id.GetWord(1) == PictureKind::kStrip ? "CBMP" : "SMTB";
        CMemoryMedia media(LoadResource(type, static_cast<int32_t>(id.GetResource())));
        std::unique_ptr<CBitmap32> bitmap = ReadBMP(media);
        CABCBitmap* result = bitmap.get();
        GetImageCache().Add(id, std::move(bitmap));
        return result;
    }
    if (!screenFormat_)
        screenFormat_ = CPixelFormat::CreateForScreen();
    return GetImageCache().LoadJPEG(*screenFormat_, id);
}

void CEditorApp::RunAlertText(const std::string& script)
{
    NSHarrowen::RunAlertText(script);
}

CPatchWindowInterface* CEditorApp::OpenPatchWindow(CPatch& patch, uint32_t)
{
    std::optional<CRect> place;
    if (patches_)
        place = patches_->TakeWindowPlace();
    return new CPatchView(patch, place);
}

void CEditorApp::ShowAlert(uint32_t alertId, const std::string& argument)
{
    RunAlertWithArgs(alertId, argument);
}

void CEditorApp::ShowAlertScript(const std::string& script, const std::string& text)
{
    // The text goes in as an argument, so it cannot add tags or buttons.
    std::string safe = script;
    if (const size_t at = safe.find("%s"); at != std::string::npos)
        safe.replace(at, 2, "^0");
    RunAlertTextWithArgs(safe, {text});
}

bool CEditorApp::AskSaveFile(const std::string& defaultName, CFileSpec& chosen)
{
    std::unique_ptr<CFileSpec> spec;
    if (!AskPatchFileSaveSpec(nullptr, defaultName, spec) || !spec)
        return false;
    chosen = *spec;
    return true;
}

uint32_t CEditorApp::GetCableStyle() const
{
    return preferences_ ? preferences_->GetCableStyle() : CPreferences::kCurved3D;
}

void CEditorApp::ReplaceWithEmptyPatch(CPatch& patch)
{
    if (patches_)
        patches_->ReplaceWithEmptyPatch(patch);
}

void CEditorApp::MovePatchToSlot(uint8_t port, uint8_t slot, CPatch& patch)
{
    if (patches_)
        patches_->MovePatchToSlot(port, slot, patch);
}

std::string CEditorApp::DescribeUnsavedPatches() const
{
    std::string names;
    if (patches_)
        for (const auto& patch : patches_->GetPatches())
            if (patch && patch->IsDirty())
                names += (names.empty() ? "" : ", ") + patch->GetName();
    return names.empty() ? names : "Unsaved patches: " + names;
}
