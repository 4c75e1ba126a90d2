include(GoogleTest)

# bm_add_test(<name> [GUI] SOURCES <files...> LIBS <libraries...> [TIMEOUT <s>])
# Builds one test program from the given sources, links the folder libraries named
# in LIBS, the shared test support and GoogleTest, and registers each test case
# with CTest. GUI programs run under a QApplication on the offscreen platform,
# the others under a QCoreApplication.
function(bm_add_test name)
  cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(ARG_GUI)
    set(main bm_testmain_gui)
  else()
    set(main bm_testmain_core)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${main} bm_testsupport GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  # The test mains set the program folder, the shared folder and the
  # offscreen platform themselves (see tests/support), so the tests run the
  # same under ctest and when started by hand.
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()
