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

# [SECTION] The frames drawn for the screen against the plain drawing, in a real GL
# context on a private X server.
add_executable(screen_pictures ${CMAKE_CURRENT_LIST_DIR}/test_screen_pictures.cpp)
target_include_directories(screen_pictures PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(screen_pictures PRIVATE app app_platform OpenGL::GL GLUT::GLUT GTest::gtest)
add_test(NAME screen_pictures
  COMMAND xvfb-run -a -s "-screen 0 1024x1024x24 -nolisten tcp" $<TARGET_FILE:screen_pictures>)
set_tests_properties(screen_pictures PROPERTIES TIMEOUT 300 LABELS e2e ENVIRONMENT "LIBGL_ALWAYS_SOFTWARE=1")
