// The key table: each key's operation, and the properties the keyboard relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

#include "key_map.h"

namespace zobu {

void PrintTo(const KeyBinding& binding, std::ostream* os) {
    *os << "{action " << static_cast<int>(binding.action) << ", argument " << binding.argument
        << "}";
}

namespace {

struct KeyCase {
    const char* name;
    std::int16_t code;
    std::optional<KeyBinding> binding;
};

constexpr KeyBinding num(std::int16_t index) {
    return {KeyAction::Num, index};
}
constexpr KeyBinding mix(std::int16_t index) {
    return {KeyAction::Mix, index};
}
constexpr KeyBinding fun(std::int16_t index) {
    return {KeyAction::Fun, index};
}
constexpr KeyBinding plain(KeyAction action) {
    return {action, 0};
}

TEST(KeyTable, EachKeyRunsItsOperation) {
    const std::vector<KeyCase> cases{
        {"main 0", 48, num(0)},
        {"main 5", 53, num(5)},
        {"main 9", 57, num(9)},
        {"keypad 0", 96, num(0)},
        {"keypad 7", 103, num(7)},
        {"keypad 9", 105, num(9)},
        {"keypad decimal point", 110, num(10)},
        {"period", 190, num(10)},
        {"keypad plus", 107, mix(1)},
        {"equals/plus", 187, mix(1)},
        {"keypad minus", 109, mix(2)},
        {"minus/underscore", 189, mix(2)},
        {"keypad multiply", 106, mix(3)},
        {"apostrophe/quote", 222, mix(3)},
        {"keypad divide", 111, mix(4)},
        {"slash/question mark", 191, mix(4)},
        {"Enter", 13, mix(0)},
        {"keypad separator", 108, mix(0)},
        {"grave/tilde negates", 192, fun(0)},
        {"backslash inverts", 220, fun(1)},
        {"Backspace", 8, plain(KeyAction::Del)},
        {"Esc", 27, plain(KeyAction::Del)},
        {"Delete", 46, plain(KeyAction::Del)},
        {"C", 67, plain(KeyAction::Copy)},
        {"V", 86, plain(KeyAction::Paste)},
        {"Space", 32, plain(KeyAction::Fold)},
        {"F1", 112, plain(KeyAction::Help)},
        {"nothing: code 0", 0, std::nullopt},
        {"nothing: A", 65, std::nullopt},
        {"nothing: F2", 113, std::nullopt},
        {"nothing: Shift", 16, std::nullopt},
        {"nothing: before main 0", 47, std::nullopt},
        {"nothing: F12", 123, std::nullopt},
        {"nothing: 255", 255, std::nullopt},
        {"nothing: -1", -1, std::nullopt},
        {"nothing: lowest code", std::numeric_limits<std::int16_t>::min(), std::nullopt},
        {"nothing: highest code", std::numeric_limits<std::int16_t>::max(), std::nullopt},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lookupKey(c.code), c.binding);
    }
}

// Every 16-bit code, with the bindings it finds.
std::map<std::int16_t, KeyBinding> allBindings() {
    std::map<std::int16_t, KeyBinding> bound;
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        const auto key = static_cast<std::int16_t>(code);
        if (const auto binding = lookupKey(key)) {
            bound.emplace(key, *binding);
        }
    }
    return bound;
}

TEST(KeyTable, RowsAreDisjointSoOrderDoesNotMatter) {
    std::map<int, int> rowsPerCode;
    for (const KeyRow& row : keyTable()) {
        ASSERT_LE(row.first, row.last);
        for (int code = row.first; code <= row.last; ++code) {
            ++rowsPerCode[code];
        }
    }
    for (const auto& [code, rows] : rowsPerCode) {
        EXPECT_EQ(rows, 1) << "code " << code;
    }
    EXPECT_EQ(allBindings().size(), rowsPerCode.size());
}

TEST(KeyTable, EachKeypadOperationHasTwoKeys) {
    std::map<int, int> keysPerOperator;
    std::map<int, int> keysPerFunction;
    for (const auto& [code, binding] : allBindings()) {
        if (binding.action == KeyAction::Mix) {
            ++keysPerOperator[binding.argument];
        } else if (binding.action == KeyAction::Fun) {
            ++keysPerFunction[binding.argument];
        }
    }
    EXPECT_EQ(keysPerOperator, (std::map<int, int>{{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}}));
    EXPECT_EQ(keysPerFunction, (std::map<int, int>{{0, 1}, {1, 1}}));
}

TEST(KeyTable, DigitKeysEnterTheirDigitFromBothKeyboards) {
    for (std::int16_t digit = 0; digit <= 9; ++digit) {
        SCOPED_TRACE(digit);
        EXPECT_EQ(lookupKey(static_cast<std::int16_t>(48 + digit)), num(digit));
        EXPECT_EQ(lookupKey(static_cast<std::int16_t>(96 + digit)), num(digit));
    }
    int numberKeys = 0;
    for (const auto& [code, binding] : allBindings()) {
        if (binding.action == KeyAction::Num) {
            ++numberKeys;
            EXPECT_LE(binding.argument, 10) << "code " << code;
        }
    }
    EXPECT_EQ(numberKeys, 22);  // two keyboards of ten digits, two decimal points
}

TEST(KeyTable, HelpPanelTakesTheKeyboardAndOnlyF1HidesIt) {
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        const auto key = static_cast<std::int16_t>(code);
        const auto shown = keyUpBinding(key, true);
        if (key == kKeyF1) {
            EXPECT_EQ(shown, plain(KeyAction::HideHelp));
        } else {
            EXPECT_EQ(shown, std::nullopt) << "code " << code;
        }
        EXPECT_EQ(keyUpBinding(key, false), lookupKey(key)) << "code " << code;
    }
}

}  // namespace
}  // namespace zobu
