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
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen;BM_PROGRAM_DIR=${BM_PROGRAM_DIR};BM_SHARED_DIR=${CMAKE_SOURCE_DIR}/../shared;BM_BIN_DIR=${BM_PROGRAM_DIR}")
endfunction()
