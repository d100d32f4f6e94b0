# The keyboard on the window under Qt's offscreen platform: Qt key events as the window
# receives them.
add_executable(keyboard_window_tests
    ${CMAKE_CURRENT_LIST_DIR}/keyboard_window_test.cpp)
target_link_libraries(keyboard_window_tests PRIVATE
    zobu_qt zobu_window_test_main Qt6::Test zobu_warnings zobu_sanitizers)
gtest_discover_tests(keyboard_window_tests
    TEST_PREFIX "keyboard_window."
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
