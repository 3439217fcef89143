// The resource texts and templates the framework reads: text resources
// ("SSTR", "SALR", "SMNU"), the alert and menu scripts their entries hold,
// and dialog templates in their binary form.
//
// Input: one byte choosing the reader, then the resource's bytes.

#include "framework/alerts/AlertScript.h"
#include "framework/base/Exceptions.h"
#include "framework/menus/Menu.h"
#include "framework/resources/TextTable.h"
#include "framework/windows/DialogTemplate.h"
#include "tests/fuzz/FuzzInput.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace NSHarrowen;

std::string_view AsText(std::span<const uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void ReadTable(std::string_view type, std::span<const uint8_t> bytes)
{
    CTextTable table(type, 1000);
    ParseResourceTable(bytes, table);
    for (int entry = 0; entry < CTextTable::kEntryCount; ++entry) {
        if (const std::string* text = table.Entry(entry); text != nullptr && text->size() > CTextTable::kMaxTextLength)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzinput::CFuzzInput input(data, size);
    const uint8_t choice = input.TakeByte();
    const std::span<const uint8_t> bytes = input.Rest();
    try {
        switch (choice % 6) {
        case 0:
            ReadTable("SSTR", bytes);
            break;
        case 1:
            ReadTable("SALR", bytes);
            break;
        case 2:
            ReadTable("SMNU", bytes);
            break;
        case 3: {
            // An alert script with arguments that are themselves outside text.
            const std::vector<std::string> arguments{"^1[x]", std::string(80, 'a'), "^0", ""};
            (void)ParseAlertText(AsText(bytes), arguments);
            (void)SanitizeAlertText(AsText(bytes));
            break;
        }
        case 4:
            (void)ParseMenuScript(AsText(bytes));
            break;
        case 5:
            (void)CDialogTemplate::Parse(bytes);
            break;
        }
    } catch (const XBase&) {
        // Refused as a bad resource.
    }
    return 0;
}
