// What a screen reader is told about a label, as both programs tell it.
#include <gtest/gtest.h>

#include "label_access.h"

namespace zobu::testing {
namespace {

struct AccessRow {
    const char* note;
    LabelName label;
    std::int16_t index = 0;
    bool helpShown = false;
    AccessRole role = AccessRole::Line;
    std::string_view description = "";
    bool pressAvailable = false;
    bool everyWriteHeard = false;
};

const AccessRow kAccessRows[] = {
    {.note = "a digit is a button without a tooltip",
     .label = LabelName::lblNum,
     .index = 7,
     .role = AccessRole::Key,
     .pressAvailable = true},
    {.note = "a key is described by its tooltip",
     .label = LabelName::lblDel,
     .role = AccessRole::Key,
     .description = "清零 连按两次 全清",
     .pressAvailable = true},
    {.note = "the shown help panel covers the keys",
     .label = LabelName::lblFun,
     .index = 1,
     .helpShown = true,
     .role = AccessRole::Key,
     .description = "取倒数"},
    {.note = "the display: every write heard, only a double-click runs anything",
     .label = LabelName::lblSay,
     .description = "双击 伸缩窗口",
     .everyWriteHeard = true},
    {.note = "the history line says what it is",
     .label = LabelName::lblLast,
     .description = "历史"},
    {.note = "the note line says what it is", .label = LabelName::lblNext, .description = "提示"},
    {.note = "the mark says what it is", .label = LabelName::lblTie, .description = "运算符"},
    {.note = "the shown help panel can be pressed away",
     .label = LabelName::lblHelp,
     .helpShown = true,
     .pressAvailable = true},
    {.note = "the hidden help panel cannot be pressed", .label = LabelName::lblHelp},
};

TEST(LabelAccess, RoleDescriptionPressAndWhatIsHeard) {
    for (const AccessRow& row : kAccessRows) {
        SCOPED_TRACE(row.note);
        const LabelAccess access =
            DescribeLabel(kLayout[LayoutRow(row.label, row.index)], "caption", row.helpShown);
        EXPECT_EQ(access.role, row.role);
        EXPECT_EQ(access.name, "caption");
        EXPECT_EQ(access.description, row.description);
        EXPECT_EQ(access.pressAvailable, row.pressAvailable);
        EXPECT_EQ(access.everyWriteHeard, row.everyWriteHeard);
    }
}

}  // namespace
}  // namespace zobu::testing
