// Press-to-release bookkeeping: a key acts once, at its release, with the code decided when
// it went down, so letting go of Shift before or after the key changes nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <utility>

#include "native_key.h"

namespace zobu {

class KeyReleaseTracker {
public:
    // What the display server's keymap says the event's key types at levels 1 and 2 of the
    // layout it was typed in (X11Keymap, WaylandKeymap); none where no keymap is at hand.
    using Keymap = std::function<KeyLevels(const KeyEventData& event)>;

    explicit KeyReleaseTracker(KeyPlatform platform, Keymap keymap = {})
        : m_platform(platform), m_keymap(std::move(keymap)) {}

    // A key went down: decides and remembers its code, for its release; nothing acts on a
    // press. Auto-repeat, and any further press of a key already down, keeps the code decided
    // at the first press.
    void press(const KeyEventData& event);

    // A key came up: the code for Form_KeyUp, or nothing (auto-repeat, a modifier alone, a
    // key without a code). A release with no press seen, as when the window got the focus
    // with the key already down, is translated on its own.
    std::optional<std::int16_t> release(const KeyEventData& event);

    // Forgets the keys that are down, for when their releases will go to another window.
    void clear() { m_down.clear(); }

private:
    // The physical key: the native scan code where the platform gives one (the same on press
    // and release whatever the modifiers), else Qt's key.
    static std::uint64_t physicalKey(const KeyEventData& event);
    std::optional<std::int16_t> decide(KeyEventData event) const;

    KeyPlatform m_platform;
    Keymap m_keymap;
    std::unordered_map<std::uint64_t, std::optional<std::int16_t>> m_down;
};

}  // namespace zobu
