#include "key_release_tracker.h"

namespace zobu {

std::uint64_t KeyReleaseTracker::physicalKey(const KeyEventData& event) {
    if (event.nativeScanCode != 0) {
        return event.nativeScanCode;
    }
    // Qt keys in their own range, so they never meet a scan code.
    return (std::uint64_t{1} << 32) | static_cast<std::uint32_t>(event.key);
}

// The keymap is read only here, once per key, when its code is decided.
std::optional<std::int16_t> KeyReleaseTracker::decide(KeyEventData event) const {
    if (m_keymap && event.nativeScanCode != 0) {
        event.levels = m_keymap(event);
    }
    return virtualKeyCode(m_platform, event);
}

void KeyReleaseTracker::press(const KeyEventData& event) {
    // With X's detectable auto-repeat a held key sends presses without releases, and Qt
    // does not flag those presses as repeats: a key already down is a repeat either way.
    // A repeat whose first press went to another window is decided here, as that press was.
    const auto [slot, first] = m_down.try_emplace(physicalKey(event));
    if (first) {
        slot->second = decide(event);
    }
}

std::optional<std::int16_t> KeyReleaseTracker::release(const KeyEventData& event) {
    if (event.autoRepeat) {
        return std::nullopt;
    }
    const auto down = m_down.find(physicalKey(event));
    if (down == m_down.end()) {
        return decide(event);
    }
    const std::optional<std::int16_t> code = down->second;
    m_down.erase(down);
    return code;
}

}  // namespace zobu
