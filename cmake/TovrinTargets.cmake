# Flags every Tovrin target takes, as an interface target rather than global
# variables, so that a target states what it is built with.
add_library(tovrin_build_flags INTERFACE)
add_library(tovrin::build_flags ALIAS tovrin_build_flags)
target_compile_options(tovrin_build_flags INTERFACE -Wall -Wextra -Wpedantic)

if(TOVRIN_SANITIZE)
  target_compile_options(tovrin_build_flags INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(tovrin_build_flags INTERFACE -fsanitize=address,undefined)
endif()

if(TOVRIN_FUZZ)
  # Instrument all code for coverage; only fuzz targets link the fuzzer main.
  target_compile_options(tovrin_build_flags INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(tovrin_build_flags INTERFACE -fsanitize=address,undefined)
endif()

# tovrin_add_library(NAME [STATIC|SHARED] SOURCES ... [PUBLIC_DEPS ...] [PRIVATE_DEPS ...])
# Defines tovrin_NAME with the alias tovrin::NAME; the include root is the
# source tree, so headers are named by their folder ("catalogue/Des.h").
function(tovrin_add_library name)
  cmake_parse_arguments(ARG "SHARED" "" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  if(ARG_SHARED)
    add_library(tovrin_${name} SHARED ${ARG_SOURCES})
  else()
    add_library(tovrin_${name} STATIC ${ARG_SOURCES})
  endif()
  add_library(tovrin::${name} ALIAS tovrin_${name})
  target_include_directories(tovrin_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(tovrin_${name} PRIVATE tovrin::build_flags ${ARG_PRIVATE_DEPS})
  if(ARG_PUBLIC_DEPS)
    target_link_libraries(tovrin_${name} PUBLIC ${ARG_PUBLIC_DEPS})
  endif()
endfunction()

# tovrin_add_test(NAME SOURCES ... DEPS ...): one GoogleTest executable,
# registered with CTest test by test.
function(tovrin_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE tovrin::build_flags tovrin::test_support
    ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TOVRIN_SAMPLES=${PROJECT_SOURCE_DIR}/samples")
endfunction()

# tovrin_add_qt_test(NAME SOURCES ... DEPS ...): one Qt Test executable, run
# by CTest on the offscreen platform, so no display is needed.
function(tovrin_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE tovrin::build_flags tovrin::test_support ${ARG_DEPS}
    Qt6::Test Qt6::Widgets)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TOVRIN_SAMPLES=${PROJECT_SOURCE_DIR}/samples")
endfunction()
