#include "patch/files/AskPatchFileSaveSpec.h"

#include "framework/base/Exceptions.h"
#include "framework/files/AskFileDialogs.h"
#include "framework/resources/ResourceText.h"
#include "synth/files/PatchFileTypes.h"

namespace {

// String 101 of the application's texts.
constexpr uint32_t kSavePromptId = 400128101;
constexpr const char* kSavePrompt = "Save file:";

std::string SavePrompt()
{
    try {
        std::string prompt = NSHarrowen::GetResourceString(kSavePromptId);
        if (!prompt.empty())
            return prompt;
    } catch (const NSHarrowen::XOutOfMemory&) {
        throw;
    } catch (const NSHarrowen::XBase&) {
        // A program without the application's texts (a tool, a test) uses
        // the prompt they would give.
    }
    return kSavePrompt;
}

} // namespace

bool AskPatchFileSaveSpec(NSHarrowen::CView* owner, const std::string& patchName,
                          std::unique_ptr<NSHarrowen::CFileSpec>& outSpec)
{
    return NSHarrowen::AskSaveFile(owner, patchName, kFileTypePatch, outSpec, SavePrompt().c_str());
}
