#include "modules/ModuleCatalogueContent.h"
#include "modules/OscModules.h"
#include "patch/PatchError.h"

#include <gtest/gtest.h>

namespace {
const CModuleCatalogue& Catalogue()
{
    return GetSharedModuleCatalogue();
}
} // namespace

TEST(ModuleCatalogue, UnknownTypeIdsRaiseModuleTypeDoesNotExist)
{
    const int unknown[] = {0, 6, 41, 42, 55, 56, 60, 93, 101, 109, 116, 119, 120, 123, 126, 128, 200, 255};
    for (int id : unknown) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Catalogue().HasType(static_cast<uint8_t>(id)));
        EXPECT_EQ(Catalogue().GetParamCount(static_cast<uint8_t>(id)), 0);
        EXPECT_EQ(Catalogue().GetParamMax(static_cast<uint8_t>(id), 0), 0);
        try {
            Catalogue().GetBuilder(static_cast<uint8_t>(id));
            ADD_FAILURE() << "no error";
        } catch (const XPOutOfRange& e) {
            EXPECT_EQ(e.GetCode(), 7u);
            EXPECT_EQ(e.GetText(), "Module type doesn't exist");
        }
    }
}

TEST(ModuleCatalogue, FindByTabPositionGivesTypeAndTooltip)
{
    uint16_t id = 0;
    uint16_t word = 99;
    std::string text;
    ASSERT_TRUE(Catalogue().FindByTabPosition(1, 1, id, word, text));
    EXPECT_EQ(id, 7);
    EXPECT_EQ(word, 0);
    EXPECT_EQ(text, "OSC A (11%)");

    EXPECT_FALSE(Catalogue().FindByTabPosition(0, 3, id, word, text)) << "a gap";
    EXPECT_EQ(Catalogue().GetTabSize(0), 13);
    EXPECT_FALSE(Catalogue().FindByTabPosition(0, 13, id, word, text)) << "past the end";
    EXPECT_FALSE(Catalogue().FindByTabPosition(10, 0, id, word, text)) << "no such tab";

    // "Shaper" is shown on the Audio tab.
    EXPECT_EQ(Catalogue().GetBuilder(83).GetTabIndex(), 6);
    EXPECT_EQ(Catalogue().GetTabName(6), "Audio");
}

TEST(ModuleCatalogue, AddPlacesBuildersOnTheCurrentTab)
{
    CModuleCatalogue catalogue;
    catalogue.StartTab("A");
    catalogue.AddSeparator();
    catalogue.Add(std::make_unique<CBModuleOsc>());
    catalogue.StartTab("B");
    catalogue.Add(std::make_unique<CBModuleOscb>());
    EXPECT_EQ(catalogue.GetTabCount(), 2u);
    EXPECT_EQ(catalogue.GetTabSize(0), 2);
    EXPECT_EQ(catalogue.GetTabTypes(0), (std::vector<uint8_t>{0, 7}));
    EXPECT_EQ(catalogue.GetBuilder(8).GetTabIndex(), 1);
    EXPECT_EQ(catalogue.GetBuilder(8).GetTabPosition(), 0);
    catalogue.DeleteBuilders();
    EXPECT_FALSE(catalogue.HasType(7));
}

TEST(ModuleCatalogue, InstallsItselfAsTheProtocolsTypeInfo)
{
    InstallSharedModuleTypeInfo();
    const CModuleTypeInfoInterface* info = GetModuleTypeInfo();
    ASSERT_EQ(info, &Catalogue());
    EXPECT_TRUE(info->HasType(7));
    EXPECT_EQ(info->GetParamCount(7), 10);
    EXPECT_EQ(info->GetParamMax(7, 4), 3);
    SetModuleTypeInfo(nullptr);
}

TEST(ModuleCatalogue, AnswersThePatchModelsJackAndDumpQuestions)
{
    const CModuleTypeInfoInterface& info = Catalogue();
    // OscA: five audio inputs, an audio output and a slave output.
    EXPECT_EQ(info.GetJackCount(7, false), 5);
    EXPECT_EQ(info.GetJackCount(7, true), 2);
    uint8_t kind = 99;
    ASSERT_TRUE(info.GetJackKind(7, true, 1, kind));
    EXPECT_EQ(kind, 3);
    EXPECT_EQ(CableColourOfSignalKind(kind), 3);
    ASSERT_TRUE(info.GetJackKind(1, true, 1, kind)); // Keyboard's gate
    EXPECT_EQ(CableColourOfSignalKind(kind), 2);
    ASSERT_TRUE(info.GetJackKind(7, false, 0, kind));
    EXPECT_EQ(CableColourOfSignalKind(kind), 0);
    EXPECT_FALSE(info.GetJackKind(7, true, 2, kind)) << "past the last output";
    EXPECT_FALSE(info.GetJackKind(6, false, 0, kind)) << "no such type";

    EXPECT_EQ(info.GetParamDefault(5, 0), 115);
    EXPECT_EQ(info.GetCustomValueCount(90), 2);
    EXPECT_EQ(info.GetCustomValueCount(7), 1);
    EXPECT_EQ(info.GetCustomValueCount(19), 0);
    std::array<uint16_t, 10> words{};
    ASSERT_TRUE(info.GetLoadWords(7, words));
    EXPECT_EQ(words, (std::array<uint16_t, 10>{85, 0, 258, 12, 5, 240, 0, 0, 0, 59}));
    EXPECT_FALSE(info.GetLoadWords(0, words));
}
