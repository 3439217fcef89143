#include "patch/PatchError.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TEST(PatchError, EachKindNamesItsSubCodes)
{
    struct Case {
        std::shared_ptr<XPatchError> error;
        const char* text;
    };
    const Case cases[] = {
        {std::make_shared<XPDontExist>(0), "Module doesn't exist"},
        {std::make_shared<XPDontExist>(3), "Cable doesn't exist"},
        {std::make_shared<XPDontExist>(4), "??? Doesn't exist"},
        {std::make_shared<XPOutOfRange>(0), "Parameter value out of range"},
        {std::make_shared<XPOutOfRange>(5), "Invalid Morph keyboard assignment"},
        {std::make_shared<XPOutOfRange>(7), "Module type doesn't exist"},
        {std::make_shared<XPOutOfRange>(9), "Invalid module position"},
        {std::make_shared<XPOutOfRange>(10), "??? out of range"},
        {std::make_shared<XPDoubleAssignment>(0), "??? double assignment"},
        {std::make_shared<XPDoubleAssignment>(1), "Parameter double assigned to knob"},
        {std::make_shared<XPDoubleAssignment>(5), "Module already exist"},
        {std::make_shared<XPDoubleAssignment>(6), "Jacks already connected"},
        {std::make_shared<XPDoubleAssignment>(7), "??? double assignment"},
        {std::make_shared<XPToMany>(0), "Too many modules"},
        {std::make_shared<XPToMany>(1), "Too many morphs assigned"},
        {std::make_shared<XPToMany>(2), "Too many cables"},
        {std::make_shared<XPToMany>(3), "??? too many"},
        {std::make_shared<XPIncompleteData>(0), "Incomplete custom data"},
        {std::make_shared<XPIncompleteData>(1), "Incomplete parameter data"},
        {std::make_shared<XPIncompleteData>(0xFFFFFFFF), "??? - incomplete dump"},
        {std::make_shared<XPMapError>(3), "Patch settings problem"},
        {std::make_shared<XPMapError>(4), "??? problem"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.error->GetText(), c.text);
    EXPECT_EQ(XPatchError().GetText(), "") << "the root has no text";
}

TEST(PatchError, CollectingKeepsTheFirstTextAndCountsAll)
{
    XPatchError collected;
    EXPECT_EQ(collected.GetErrorCount(), 0);
    EXPECT_EQ(collected.GetMessage(), "");
    collected.Add(XPToMany(0));
    collected.Add(XPOutOfRange(7));
    collected.Add(XPatchError());
    EXPECT_EQ(collected.GetErrorCount(), 3);
    EXPECT_EQ(collected.GetMessage(), "Too many modules");
}

TEST(PatchError, ThrownKindsAreCaughtAsTheRootWithTheirCode)
{
    try {
        throw XPOutOfRange(PatchErrorCode::kInvalidModuleName);
    } catch (const XPatchError& e) {
        EXPECT_EQ(e.GetText(), "Invalid module name");
        const auto* kind = dynamic_cast<const XPOutOfRange*>(&e);
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(kind->GetCode(), 8u);
    }
    const XPDontExist original(2);
    const XPDontExist copy = original; // copies keep the sub-code
    EXPECT_EQ(copy.GetText(), "Connector doesn't exist");
}
