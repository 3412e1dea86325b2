# [SECTION] The real program in a real window: each script starts its own Xvfb,
# runs build/gearmesh in it, types keys and reads the pixels back. They need
# python3, Xvfb, xdotool, xprop and tmux (scripts/install-deps.sh test). The
# Makefile configures again once the package step has installed them.
find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
  explain_missing(e2e_tests python3)
  return()
endif()

set(GEARMESH_E2E_DIR ${CMAKE_CURRENT_LIST_DIR}/e2e)
# Frames of failed checks are kept here as PNG files, to be looked at.
set(GEARMESH_E2E_ARTIFACTS ${CMAKE_BINARY_DIR}/e2e-artifacts)

foreach(name views animation zoom keys close title console window_system picture burst dialogue
             contact_view)
  add_test(NAME e2e_${name}
    COMMAND ${Python3_EXECUTABLE} -B ${GEARMESH_E2E_DIR}/test_${name}.py $<TARGET_FILE:gearmesh>)
  set_tests_properties(e2e_${name} PROPERTIES
    TIMEOUT 150
    LABELS e2e
    ENVIRONMENT "GEARMESH_E2E_ARTIFACTS=${GEARMESH_E2E_ARTIFACTS};PYTHONDONTWRITEBYTECODE=1")
endforeach()
# The keys that reach the mesh step and the dialogue also run on the asserts-on
# build (`make test` selects them by this label there), so that an assert on the
# window's path fails the suite.
set_tests_properties(e2e_keys e2e_animation e2e_dialogue e2e_contact_view PROPERTIES
  LABELS "e2e;window_asserts")
# Held to its PNG, the SVG that 'p' saves is read with numpy, by Debian's python3
# (make test installs it with shapely).
add_test(NAME e2e_saved_pictures
  COMMAND /usr/bin/python3 -B ${GEARMESH_E2E_DIR}/test_saved_pictures.py $<TARGET_FILE:gearmesh>)
set_tests_properties(e2e_saved_pictures PROPERTIES
  TIMEOUT 300
  LABELS e2e
  ENVIRONMENT "GEARMESH_E2E_ARTIFACTS=${GEARMESH_E2E_ARTIFACTS};PYTHONDONTWRITEBYTECODE=1")
# It times the program; tests beside it on two cores would time themselves.
set_tests_properties(e2e_burst PROPERTIES RUN_SERIAL TRUE)
