# [SECTION] The shell: window, views and keyboard against the recording stand-in.
add_executable(app_tests
  ${CMAKE_CURRENT_LIST_DIR}/title_stand_in.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_back_stand_in.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_views.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_command_line.cpp
)
target_include_directories(app_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(app_tests PRIVATE app draw console gear gl_recorder GTest::gtest GTest::gtest_main)
gtest_discover_tests(app_tests DISCOVERY_TIMEOUT 60)
