# [SECTION] Drawing kit: the kit and the gear renderers against the recording
# stand-in of GL and GLUT, which takes the place of the real libraries here.
add_library(gl_recorder STATIC ${CMAKE_CURRENT_LIST_DIR}/recorder/gl_recorder.cpp)
target_include_directories(gl_recorder PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_include_directories(gl_recorder SYSTEM PUBLIC
  $<TARGET_PROPERTY:OpenGL::GL,INTERFACE_INCLUDE_DIRECTORIES>
  ${GLUT_INCLUDE_DIR}
)

add_executable(draw_tests
  ${CMAKE_CURRENT_LIST_DIR}/test_kit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_round_primitives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_gear_render.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_offscreen.cpp
)
target_link_libraries(draw_tests PRIVATE draw gear gl_recorder GTest::gtest GTest::gtest_main)
gtest_discover_tests(draw_tests DISCOVERY_TIMEOUT 60)
