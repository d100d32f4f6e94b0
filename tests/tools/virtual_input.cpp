// A keyboard and a pointer on a Wayland seat, through wlroots' virtual input protocols: a hand
// that does what it is told in xdotool's words. Each line on stdin is a chain of commands:
//     keydown K, keyup K, key K[+K...]...  a key by X keycode (two digits or more) or by name
//                      ("shift", "ctrl", "alt" or an XKB keysym name: the first key typing it
//                      unshifted in the first group); a chord's keys go down, then up, in order
//     mousemove X Y    the pointer to X,Y pixels from the top left of the output layout
//     mousedown 1, mouseup 1, click [--repeat N] [--delay MS] 1   the left button
//     sleep SECONDS    after the compositor has taken all before
//     layout LAYOUTS   the keymap of these XKB layouts ("us,ru", "us(dvorak)"; evdev, pc105)
//     group N          locks keyboard group N
// Once the compositor has taken the chain, the answer: "mods DEPRESSED LATCHED LOCKED group
// GROUP", the modifier state as sent with each key, from the keyboard's own state machine (a
// compositor takes a virtual keyboard's modifiers from the keyboard, not from its keys), then
// ".". A command it cannot follow ends it, with the reason on stderr.
// The keyboard lives from the start (a US keymap) to the end: while a seat gains or loses a
// keyboard, the keys sent to a program are lost.
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct Seat {
    wl_display* display = nullptr;
    wl_seat* seat = nullptr;
    zwp_virtual_keyboard_manager_v1* keyboards = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
};

template <typename T>
void Bind(wl_registry* registry, std::uint32_t name, std::string_view offered,
          const wl_interface& interface, T*& into) {
    if (offered == interface.name) {
        into = static_cast<T*>(wl_registry_bind(registry, name, &interface, 1));
    }
}

void Global(void* data, wl_registry* registry, std::uint32_t name, const char* offered,
            std::uint32_t) {
    auto& seat = *static_cast<Seat*>(data);
    Bind(registry, name, offered, wl_seat_interface, seat.seat);
    Bind(registry, name, offered, zwp_virtual_keyboard_manager_v1_interface, seat.keyboards);
    Bind(registry, name, offered, zwlr_virtual_pointer_manager_v1_interface, seat.pointers);
}

void GlobalRemoved(void*, wl_registry*, std::uint32_t) {}

std::uint32_t Now() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

// The next argument of `command`.
template <typename T = std::string>
T Next(std::istream& words, const std::string& command) {
    T value{};
    if (!(words >> value)) {
        throw std::runtime_error("too few arguments for " + command);
    }
    return value;
}

void Roundtrip(wl_display* display) {
    if (wl_display_roundtrip(display) < 0) {
        throw std::runtime_error("the compositor has gone");
    }
}

class Hand {
public:
    explicit Hand(const Seat& seat)
        : m_display(seat.display),
          m_keyboard(
              zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(seat.keyboards, seat.seat)),
          m_pointer(
              zwlr_virtual_pointer_manager_v1_create_virtual_pointer(seat.pointers, seat.seat)) {
        layout("us");
    }
    ~Hand() {
        xkb_state_unref(m_state);
        xkb_keymap_unref(m_keymap);
        xkb_context_unref(m_context);
    }
    Hand(const Hand&) = delete;
    Hand& operator=(const Hand&) = delete;

    // Follows one command of a chain, reading its arguments from `words`.
    void obey(const std::string& command, std::istream& words);

    std::string state() const {
        return "mods " + std::to_string(mods(XKB_STATE_MODS_DEPRESSED)) + " " +
               std::to_string(mods(XKB_STATE_MODS_LATCHED)) + " " +
               std::to_string(mods(XKB_STATE_MODS_LOCKED)) + " group " +
               std::to_string(xkb_state_serialize_layout(m_state, XKB_STATE_LAYOUT_EFFECTIVE));
    }

private:
    void layout(const std::string& layouts);
    std::uint32_t keycode(const std::string& name) const;
    void key(std::uint32_t code, bool down);
    void sendModifiers() {
        zwp_virtual_keyboard_v1_modifiers(
            m_keyboard, mods(XKB_STATE_MODS_DEPRESSED), mods(XKB_STATE_MODS_LATCHED),
            mods(XKB_STATE_MODS_LOCKED),
            xkb_state_serialize_layout(m_state, XKB_STATE_LAYOUT_EFFECTIVE));
    }
    void button(bool down) {
        zwlr_virtual_pointer_v1_button(
            m_pointer, Now(), BTN_LEFT,
            down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
        zwlr_virtual_pointer_v1_frame(m_pointer);
    }
    std::uint32_t mods(xkb_state_component component) const {
        return xkb_state_serialize_mods(m_state, component);
    }

    wl_display* m_display;
    zwp_virtual_keyboard_v1* m_keyboard;
    zwlr_virtual_pointer_v1* m_pointer;
    xkb_context* m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_state = nullptr;
};

// Compiles the keymap, gives it to the compositor as the keyboard's own through a memfd.
void Hand::layout(const std::string& layouts) {
    const xkb_rule_names names{"evdev", "pc105", layouts.c_str(), "", ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(m_context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr) {
        throw std::runtime_error("no keymap for " + layouts);
    }
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const std::size_t size = std::strlen(text) + 1;
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    const bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
    if (written) {
        zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                       static_cast<std::uint32_t>(size));
    }
    close(fd);
    std::free(text);
    xkb_state_unref(m_state);
    xkb_keymap_unref(m_keymap);
    m_keymap = keymap;
    m_state = xkb_state_new(keymap);
    if (!written) {
        throw std::runtime_error("the keymap could not be written");
    }
}

std::uint32_t Hand::keycode(const std::string& name) const {
    if (name.size() > 1 && name.find_first_not_of("0123456789") == std::string::npos) {
        return static_cast<std::uint32_t>(std::stoul(name));
    }
    static const std::map<std::string, std::string> kModifiers{
        {"shift", "Shift_L"},
        {"ctrl", "Control_L"},
        {"alt", "Alt_L"},
    };
    const auto modifier = kModifiers.find(name);
    const xkb_keysym_t wanted = xkb_keysym_from_name(
        (modifier != kModifiers.end() ? modifier->second : name).c_str(), XKB_KEYSYM_NO_FLAGS);
    for (xkb_keycode_t code = xkb_keymap_min_keycode(m_keymap);
         code <= xkb_keymap_max_keycode(m_keymap); ++code) {
        const xkb_keysym_t* syms = nullptr;
        if (xkb_keymap_key_get_syms_by_level(m_keymap, code, 0, 0, &syms) == 1 &&
            syms[0] == wanted && wanted != XKB_KEY_NoSymbol) {
            return code;
        }
    }
    throw std::runtime_error("no key types " + name);
}

void Hand::key(std::uint32_t code, bool down) {
    if (code < 8) {
        throw std::runtime_error("no X keycode: " + std::to_string(code));
    }
    zwp_virtual_keyboard_v1_key(
        m_keyboard, Now(), code - 8,
        down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    xkb_state_update_key(m_state, code, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    sendModifiers();
}

void Hand::obey(const std::string& command, std::istream& words) {
    if (command == "keydown" || command == "keyup") {
        key(keycode(Next(words, command)), command == "keydown");
    } else if (command == "key") {
        // The rest of the chain is chords.
        for (std::string arg; words >> arg;) {
            std::istringstream chord(arg);
            std::vector<std::uint32_t> codes;
            for (std::string name; std::getline(chord, name, '+');) {
                codes.push_back(keycode(name));
            }
            for (const bool down : {true, false}) {
                for (const std::uint32_t code : codes) {
                    key(code, down);
                }
            }
        }
    } else if (command == "mousemove") {
        const auto x = Next<double>(words, command);
        const auto y = Next<double>(words, command);
        // From the top left corner, where any far move up and left stops: no output's size needed.
        zwlr_virtual_pointer_v1_motion(m_pointer, Now(), wl_fixed_from_int(-100000),
                                       wl_fixed_from_int(-100000));
        zwlr_virtual_pointer_v1_frame(m_pointer);
        zwlr_virtual_pointer_v1_motion(m_pointer, Now(), wl_fixed_from_double(x),
                                       wl_fixed_from_double(y));
        zwlr_virtual_pointer_v1_frame(m_pointer);
        Roundtrip(m_display);
    } else if (command == "mousedown" || command == "mouseup") {
        Next(words, command);  // the button, the left one
        button(command == "mousedown");
    } else if (command == "click") {
        int repeat = 1, delay = 0;
        for (std::string arg; (arg = Next(words, command)).starts_with("--");) {
            (arg == "--repeat" ? repeat : delay) = Next<int>(words, command);
        }
        for (int i = 0; i < repeat; ++i) {
            if (i > 0) {
                Roundtrip(m_display);
                std::this_thread::sleep_for(std::chrono::milliseconds(delay));
            }
            button(true);
            button(false);
        }
    } else if (command == "sleep") {
        const auto seconds = Next<double>(words, command);
        Roundtrip(m_display);
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    } else if (command == "layout") {
        layout(Next(words, command));
    } else if (command == "group") {
        xkb_state_update_mask(m_state, mods(XKB_STATE_MODS_DEPRESSED), mods(XKB_STATE_MODS_LATCHED),
                              mods(XKB_STATE_MODS_LOCKED), 0, 0,
                              Next<xkb_layout_index_t>(words, command));
        sendModifiers();
    } else {
        throw std::runtime_error("unknown command " + command);
    }
}

}  // namespace

int main() try {
    Seat seat;
    seat.display = wl_display_connect(nullptr);
    if (seat.display == nullptr) {
        throw std::runtime_error("no Wayland display");
    }
    const wl_registry_listener listener{Global, GlobalRemoved};
    wl_registry_add_listener(wl_display_get_registry(seat.display), &listener, &seat);
    Roundtrip(seat.display);
    if (seat.seat == nullptr || seat.keyboards == nullptr || seat.pointers == nullptr) {
        throw std::runtime_error("the compositor offers no virtual keyboard and pointer");
    }
    Hand hand(seat);
    for (std::string line;;) {
        Roundtrip(seat.display);
        std::cout << hand.state() << "\n." << std::endl;
        if (!std::getline(std::cin, line)) {
            return 0;
        }
        std::istringstream words(line);
        for (std::string command; words >> command;) {
            hand.obey(command, words);
        }
    }
} catch (const std::exception& e) {
    std::cerr << "virtual_input: " << e.what() << "\n";
    return 1;
}
