# Tests of the native key translation and the press-to-release bookkeeping. They need no
# window and no display.
add_executable(keyboard_tests
    ${CMAKE_CURRENT_LIST_DIR}/native_key_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/key_release_tracker_test.cpp)
target_link_libraries(keyboard_tests PRIVATE
    zobu_qt GTest::gtest_main zobu_warnings zobu_sanitizers)
gtest_discover_tests(keyboard_tests TEST_PREFIX "keyboard." DISCOVERY_MODE PRE_TEST)
