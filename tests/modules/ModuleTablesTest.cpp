// Consistency of the compiled-in module type tables: what the protocol's
// field widths, the patch file and the toolbar depend on.
#include "modules/ModuleCatalogueContent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<const CBuildModule*> AllBuilders(const CModuleCatalogue& catalogue)
{
    std::vector<const CBuildModule*> all;
    for (int id = 0; id < 128; ++id)
        if (const CBuildModule* b = catalogue.FindBuilder(static_cast<uint8_t>(id)))
            all.push_back(b);
    return all;
}

const CModuleCatalogue& Catalogue()
{
    return GetSharedModuleCatalogue();
}

} // namespace

TEST(ModuleTables, HoldsTheHundredAndNineTypesUnderTheirIds)
{
    std::set<int> expected;
    const std::pair<int, int> ranges[] = {{1, 5},    {7, 40},    {43, 54},   {57, 59},   {61, 92},
                                          {94, 100}, {102, 108}, {110, 115}, {117, 118}, {127, 127}};
    for (auto [from, to] : ranges)
        for (int id = from; id <= to; ++id)
            expected.insert(id);
    ASSERT_EQ(expected.size(), 109u);

    std::set<int> present;
    for (const CBuildModule* b : AllBuilders(Catalogue())) {
        present.insert(b->GetTypeId());
        EXPECT_EQ(Catalogue().FindBuilder(b->GetTypeId()), b) << "a builder sits under another type's id";
    }
    EXPECT_EQ(present, expected);
}

TEST(ModuleTables, LongNamesAreUniqueAndOnlyTheMixersShareAShortName)
{
    std::map<std::string, int> shortNames;
    std::set<std::string> longNames;
    for (const CBuildModule* b : AllBuilders(Catalogue())) {
        EXPECT_TRUE(longNames.insert(b->GetLongName()).second) << b->GetLongName();
        ++shortNames[b->GetShortName()];
    }
    for (const auto& [name, count] : shortNames)
        EXPECT_EQ(count, name == "Mixer" ? 2 : 1) << name;
}

TEST(ModuleTables, TabsHoldTheirTypesInOrder)
{
    const std::pair<const char*, int> tabs[] = {{"In/Out", 10}, {"Osc", 16},   {"LFO", 14},   {"Env", 6},
                                                {"Filter", 11}, {"Mixer", 13}, {"Audio", 15}, {"Ctrl", 10},
                                                {"Logic", 10},  {"Seq", 4}};
    ASSERT_EQ(Catalogue().GetTabCount(), std::size(tabs));
    for (size_t t = 0; t < std::size(tabs); ++t) {
        EXPECT_EQ(Catalogue().GetTabName(t), tabs[t].first);
        const auto ids = Catalogue().GetTabTypes(t);
        EXPECT_EQ(std::count_if(ids.begin(), ids.end(), [](uint8_t id) { return id != 0; }), tabs[t].second)
            << tabs[t].first;
        for (size_t p = 0; p < ids.size(); ++p) {
            if (ids[p] == 0)
                continue;
            const CBuildModule& b = Catalogue().GetBuilder(ids[p]);
            EXPECT_EQ(b.GetTabIndex(), t);
            EXPECT_EQ(b.GetTabPosition(), p);
        }
    }
}

TEST(ModuleTables, EveryParameterRowIsWellFormed)
{
    for (const CBuildModule* b : AllBuilders(Catalogue())) {
        SCOPED_TRACE(b->GetShortName());
        EXPECT_GE(b->GetHeight(), 2);
        EXPECT_LE(b->GetHeight(), 10);
        EXPECT_EQ(b->GetParamCount(), b->GetParams().size());
        for (size_t i = 0; i < b->GetParams().size(); ++i) {
            const ParamSpec& p = b->GetParams()[i];
            EXPECT_LE(std::strlen(p.name), 10u) << p.name;
            EXPECT_GE(p.max, 1) << p.name;
            EXPECT_LE(p.max, 127) << p.name;
            EXPECT_LE(p.defaultValue, p.max) << p.name;
            if (p.text.dual) {
                EXPECT_LT(p.text.second, b->GetParamCount()) << p.name;
                EXPECT_NE(p.text.second, i) << p.name;
            }
        }
        // The order list is a permutation of the parameter indices.
        std::vector<uint8_t> order(b->GetOrderList().begin(), b->GetOrderList().end());
        std::sort(order.begin(), order.end());
        std::vector<uint8_t> identity(b->GetParamCount());
        for (size_t i = 0; i < identity.size(); ++i)
            identity[i] = static_cast<uint8_t>(i);
        EXPECT_EQ(order, identity);
    }
}

TEST(ModuleTables, NoMorphListsAreExactlyTheRefusedParameters)
{
    auto range = [](int from, int to) {
        std::vector<uint8_t> v;
        for (int i = from; i <= to; ++i)
            v.push_back(static_cast<uint8_t>(i));
        return v;
    };
    std::map<std::string, std::vector<uint8_t>> expected = {
        {"NoteDetect", {0}},
        {"OscSineBank", range(18, 23)},
        {"OscSlvFM", {2}},
        {"ClkGen", {1}},
        {"LFOA", {1, 4}},
        {"LFOB", {1, 4}},
        {"LFOC", {1, 4}},
        {"LFOSlvA", {3}},
        {"ClkRndGen", {0}},
        {"ADSR-Env", {0}},
        {"Multi-Env", {10}},
        {"FilterE", {0}},
        {"VocalFilter", {0, 1, 2}},
        {"Compressor", range(0, 8)},
        {"Expander", range(0, 8)},
        {"ControlMixer", {4}},
        {"EventSeq", range(0, 35)},
        {"CtrlSeq", {16, 17, 18}},
        {"NoteSeqA", range(16, 20)},
        {"NoteSeqB", range(16, 20)},
    };
    auto vocoder = range(0, 15);
    vocoder.push_back(17);
    vocoder.push_back(18);
    expected["Vocoder"] = vocoder;

    for (const CBuildModule* b : AllBuilders(Catalogue())) {
        const auto it = expected.find(b->GetShortName());
        const std::vector<uint8_t> want = it == expected.end() ? std::vector<uint8_t>{} : it->second;
        EXPECT_EQ(b->GetNoMorphList(), want) << b->GetShortName();
        for (uint8_t p = 0; p < b->GetParamCount(); ++p)
            EXPECT_EQ(b->IsMorphAllowed(p), std::find(want.begin(), want.end(), p) == want.end());
    }
}

TEST(ModuleTables, LoadRecordsAgreeWithJacksAndCustomValues)
{
    // The output list reserves one entry per output, but for these three.
    const std::map<std::string, int> capacity = {{"Keyboard", 3}, {"MIDIGlobal", 1}, {"Vocoder", 17}};
    const std::set<std::string> oneCustomValue = {
        "MasterOsc", "OscA",    "OscB",       "OscC",      "SpectralOsc", "FormantOsc", "OscSlvA", "OscSlvB",
        "OscSlvC",   "OscSlvD", "OscSlvE",    "OscSlvFM",  "PercOsc",     "LFOSlvA",    "LFOSlvB", "LFOSlvC",
        "LFOSlvD",   "LFOSlvE", "RndStepGen", "RandomGen", "FilterC",     "FilterD",    "FilterE", "FilterF"};
    for (const CBuildModule* b : AllBuilders(Catalogue())) {
        const std::string name = b->GetShortName();
        const ModuleLoadRecord& load = b->GetLoadRecord();
        const auto cap = capacity.find(name);
        EXPECT_EQ(load.OutputListCapacity(),
                  cap != capacity.end() ? cap->second : b->GetJackCount(JackDirection::Output))
            << name;
        const int custom = name == "NoteSeqB" ? 2 : oneCustomValue.count(name) ? 1 : 0;
        EXPECT_EQ(load.CustomValueCount(), custom) << name;
    }
}

// Parameter counts and maxima are the protocol's field widths: a row per
// type, checked value by value.
TEST(ModuleTables, ParameterMaximaMatchTheTypes)
{
    struct Row {
        uint8_t id;
        std::vector<uint8_t> maxima;
    };
    const std::vector<uint8_t> all127(16, 127);
    auto join = [](std::vector<uint8_t> a, std::vector<uint8_t> b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Row rows[] = {
        {7, {127, 127, 127, 127, 3, 127, 127, 127, 127, 1}},       // OscA
        {97, {127, 127, 127, 127, 127}},                           // MasterOsc: KBT 127, not 1
        {9, {127, 127, 1, 127, 127, 1}},                           // OscC
        {1, {}},                                                   // Keyboard
        {5, {127, 5, 1}},                                          // 1 output
        {4, {127, 2, 1}},                                          // 2 outputs
        {24, {127, 2, 4, 127, 1, 127, 127, 1}},                    // LFOA
        {52, {127, 127, 127, 127, 127, 127, 127, 127, 127, 4, 2}}, // Multi-Env
        {45, {8, 8, 8, 127, 127, 127, 127, 127, 127}},             // VocalFilter
        {108, join(std::vector<uint8_t>(16, 16), {127, 1, 1})},    // Vocoder
        {21, {127, 127, 42, 66, 42, 24, 1, 1, 1}},                 // Compressor
        {105, {127, 127, 84, 66, 72, 127, 1, 1, 1}},               // Expander
        {54, {12}},                                                // Quantizer
        {118, {11, 127, 127, 1, 1}},                               // Digitizer
        {115, {127, 48, 127, 48}},                                 // NoteVelScal
        {15, join(all127, {127, 16, 1, 1, 1})},                    // NoteSeqA: Rec step 16
        {17, join({127, 1, 1, 1}, std::vector<uint8_t>(32, 1))},   // EventSeq
        {70, {}},                                                  // LogicInv
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.id));
        ASSERT_EQ(Catalogue().GetParamCount(row.id), row.maxima.size());
        for (size_t p = 0; p < row.maxima.size(); ++p)
            EXPECT_EQ(Catalogue().GetParamMax(row.id, static_cast<uint8_t>(p)), row.maxima[p]) << p;
    }
}
