# The keyboard pieces of the window: the key table, the translation of Qt key events to
# Windows virtual-key codes, press-to-release bookkeeping, X's keymap and detectable
# auto-repeat.
# Kept apart from the window so they build and test without one.
find_package(Qt6 REQUIRED COMPONENTS Core Gui)
find_package(X11)

add_library(zobu_keyboard STATIC
    ${CMAKE_CURRENT_LIST_DIR}/key_map.cpp ${CMAKE_CURRENT_LIST_DIR}/key_map.h
    ${CMAKE_CURRENT_LIST_DIR}/native_key.cpp ${CMAKE_CURRENT_LIST_DIR}/native_key.h
    ${CMAKE_CURRENT_LIST_DIR}/key_release_tracker.cpp ${CMAKE_CURRENT_LIST_DIR}/key_release_tracker.h
    ${CMAKE_CURRENT_LIST_DIR}/vk_codes.h
    ${CMAKE_CURRENT_LIST_DIR}/x11_auto_repeat.cpp ${CMAKE_CURRENT_LIST_DIR}/x11_auto_repeat.h
    ${CMAKE_CURRENT_LIST_DIR}/x11_keymap.cpp ${CMAKE_CURRENT_LIST_DIR}/x11_keymap.h)
target_include_directories(zobu_keyboard PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_features(zobu_keyboard PUBLIC cxx_std_20)
target_link_libraries(zobu_keyboard
    PUBLIC Qt6::Core Qt6::Gui
    PRIVATE zobu_warnings zobu_sanitizers)
# Xlib asks X for one release per held key and reads the keymap; without it the first is a
# no-op and the keys are read from the current level alone, as on Wayland.
if(X11_FOUND)
    target_link_libraries(zobu_keyboard PRIVATE X11::X11)
    target_compile_definitions(zobu_keyboard PRIVATE ZOBU_HAVE_XLIB)
endif()
