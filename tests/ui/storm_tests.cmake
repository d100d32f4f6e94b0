# Storms of random key releases, clicks and clipboard texts over the real window under the
# offscreen platform, with the calculator's promises checked after every step and the peak
# resident set compared between two storms.
add_executable(storm_tests ${CMAKE_CURRENT_LIST_DIR}/storm_test.cpp)
target_link_libraries(storm_tests PRIVATE
    zobu_qt zobu_window_test_main Qt6::Test zobu_warnings zobu_sanitizers)
gtest_discover_tests(storm_tests
    TEST_PREFIX "storm."
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
