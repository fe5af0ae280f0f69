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

# tovrin_add_dialog_library(NAME SOURCES ... DEPS ... EXPORTS sym... HEADER h DESCRIPTION text)
# A shared library for outside programs, libNAME.so: only the listed C
# functions are exported (a version script hides everything else, the
# statically linked Tovrin code included); its public header, a pkg-config
# file and the library itself are installed.
function(tovrin_add_dialog_library name)
  cmake_parse_arguments(ARG "" "HEADER;DESCRIPTION" "SOURCES;DEPS;EXPORTS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  add_library(tovrin::${name} ALIAS ${name})
  set_target_properties(${name} PROPERTIES
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    PUBLIC_HEADER ${PROJECT_SOURCE_DIR}/include/tovrin/${ARG_HEADER})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
  target_link_libraries(${name} PRIVATE tovrin::build_flags ${ARG_DEPS})

  list(JOIN ARG_EXPORTS "; " globals)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}.map)
  file(WRITE ${script} "{\n  global: ${globals};\n  local: *;\n};\n")
  target_link_options(${name} PRIVATE "LINKER:--version-script=${script}" "LINKER:--no-undefined")
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${script})

  string(TOLOWER ${name} pcname)
  set(TOVRIN_PC_NAME ${name})
  set(TOVRIN_PC_DESCRIPTION ${ARG_DESCRIPTION})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/dialog-library.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${pcname}.pc @ONLY)

  include(GNUInstallDirs)
  install(TARGETS ${name}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tovrin)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${pcname}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()
