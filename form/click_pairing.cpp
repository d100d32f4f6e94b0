#include "click_pairing.h"

#include <utility>

namespace zobu {

ClickPairing::Row ClickPairing::press(Row row, bool secondOfPair) noexcept {
    const Row clicked = std::exchange(m_clicked, std::nullopt);
    if (secondOfPair) {
        m_pressed.reset();
        return row && row == clicked ? row : std::nullopt;
    }
    m_pressed = row;
    return std::nullopt;
}

ClickPairing::Row ClickPairing::release(Row row) noexcept {
    const Row pressed = std::exchange(m_pressed, std::nullopt);
    if (pressed && pressed == row) {
        m_clicked = row;
        return row;
    }
    return std::nullopt;
}

}  // namespace zobu
