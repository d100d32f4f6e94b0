#include "label_access.h"

namespace zobu {
namespace {

std::string_view LineWord(LabelName name) {
    switch (name) {
        case LabelName::lblLast:
            return "历史";
        case LabelName::lblNext:
            return "提示";
        case LabelName::lblTie:
            return "运算符";
        default:
            return "";
    }
}

}  // namespace

LabelAccess DescribeLabel(const LabelSpec& row, std::string_view caption, bool helpShown) {
    const std::string_view tooltip = row.tooltip;
    return {
        .role = row.key ? AccessRole::Key : AccessRole::Line,
        .name = caption,
        .description = tooltip.empty() ? LineWord(row.name) : tooltip,
        .pressAvailable = row.click != WindowAction::None && !CoveredByHelp(row.name, helpShown),
        .live = row.name == LabelName::lblSay || row.name == LabelName::lblNext,
    };
}

bool WriteHeard(const LabelSpec& row, std::string_view before, std::string_view after) {
    return row.name == LabelName::lblSay || before != after;
}

}  // namespace zobu
