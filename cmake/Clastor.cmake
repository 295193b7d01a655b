# Helpers shared by the folders' CMakeLists.

# clastor_library(name DEPS lib...) builds every .cpp of the calling folder into
# a static library; the project root is the include root ("geometry/Vector2D.h").
function(clastor_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;SYSLIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.c")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}" "${CLASTOR_THIRD_PARTY}/include")
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_SYSLIBS})
  else()
    # A folder with headers only so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${CMAKE_SOURCE_DIR}" "${CLASTOR_THIRD_PARTY}/include")
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} ${ARG_SYSLIBS})
  endif()
endfunction()

# clastor_folder_test(name LIBS ...) builds every .cpp of the calling tests folder
# into one test program.
function(clastor_folder_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(sources)
    clastor_test(${name} SOURCES ${sources} LIBS ${ARG_LIBS})
  endif()
endfunction()

# The Windows libraries the window layers call.
set(CLASTOR_WIN32_LIBS comctl32 comdlg32 gdi32 user32 kernel32 advapi32 shell32 ole32 oleaut32
    uuid msimg32 winspool version wininet)

# clastor_test(name SOURCES ... LIBS ...) builds one GoogleTest program and
# registers it as one ctest test, run under Wine through the emulator.
function(clastor_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} "${CMAKE_SOURCE_DIR}/tests/support/RunInBuildFolder.cpp")
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}" "${CLASTOR_THIRD_PARTY}/include" "${CMAKE_SOURCE_DIR}/tests")
  target_link_libraries(${name} PRIVATE ${ARG_LIBS}
    "${CLASTOR_THIRD_PARTY}/lib/libgtest_main.a" "${CLASTOR_THIRD_PARTY}/lib/libgtest.a")
  target_compile_definitions(${name} PRIVATE CLASTOR_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  # The test programs share one X display: the mouse cursor, the focus and the
  # foreground window are the display's, and a test that moves the cursor
  # sends mouse moves to another program's windows. One at a time, then; the
  # checks of written files run beside them.
  set_tests_properties(${name} PROPERTIES WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
                                          RESOURCE_LOCK clastor_display)
endfunction()
