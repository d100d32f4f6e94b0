# The window through Qt's accessibility API, as a screen reader meets it. Qt switches
# accessibility on when a reader connects to its platform bridge; the offscreen platform has
# none, so the tests switch it on through Qt's platform API (Qt6::GuiPrivate).
find_package(Qt6 REQUIRED COMPONENTS Gui Widgets Test)

add_executable(accessibility_tests ${CMAKE_CURRENT_LIST_DIR}/accessibility_test.cpp)
target_link_libraries(accessibility_tests PRIVATE
    zobu_qt zobu_window_test_main Qt6::Test Qt6::GuiPrivate zobu_warnings zobu_sanitizers)
gtest_discover_tests(accessibility_tests
    TEST_PREFIX "accessibility."
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
