# Shared target helpers. Every folder under src/ yields quarry_<name> (plain C++, no Qt)
# and, unless QUARRY_ENGINES_ONLY, quarry_<name>_ui (its Qt forms in ui/).
# Sources are globbed so that new files need no edit here.

set(QUARRY_WARNINGS -Wall -Wextra -Werror)

function(quarry_warnings target)
  target_compile_options(${target} PRIVATE ${QUARRY_WARNINGS})
endfunction()

# quarry_library(<name> [DEPS <targets>...])
function(quarry_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  set(dir ${CMAKE_SOURCE_DIR}/src/${name})
  file(GLOB logic_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(target quarry_${name})
  if(logic_sources)
    add_library(${target} STATIC ${logic_sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    quarry_warnings(${target})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()

  if(QUARRY_ENGINES_ONLY)
    return()
  endif()
  file(GLOB ui_sources CONFIGURE_DEPENDS ${dir}/ui/*.cpp ${dir}/ui/*.h)
  set(ui_deps)
  foreach(dep ${ARG_DEPS})
    list(APPEND ui_deps ${dep}_ui)
  endforeach()
  set(ui_target quarry_${name}_ui)
  list(FILTER ui_sources INCLUDE REGEX "\\.cpp$")
  if(ui_sources)
    file(GLOB ui_headers CONFIGURE_DEPENDS ${dir}/ui/*.h)
    add_library(${ui_target} STATIC ${ui_sources} ${ui_headers})
    target_link_libraries(${ui_target} PUBLIC ${target} ${ui_deps}
      Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Network)
    quarry_warnings(${ui_target})
  else()
    add_library(${ui_target} INTERFACE)
    target_link_libraries(${ui_target} INTERFACE ${target} ${ui_deps}
      Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Network)
  endif()
endfunction()

# quarry_test(<name> SOURCES_DIR <dir> LIBS <targets>...): one executable per area,
# registered with ctest as one test so that a run does not pay a process start per case.
function(quarry_test name)
  cmake_parse_arguments(ARG "QT" "DIR" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    QUARRY_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QUARRY_DATA_DIR="${CMAKE_SOURCE_DIR}/data"
    QUARRY_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  quarry_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set(env "QUARRY_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp")
  if(ARG_QT)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
endfunction()

# Two static libraries that call into each other; CMake repeats them on the link line.
function(quarry_link_each_other a b)
  get_target_property(type_a ${a} TYPE)
  if(type_a STREQUAL "STATIC_LIBRARY")
    target_link_libraries(${a} PUBLIC ${b})
  else()
    target_link_libraries(${a} INTERFACE ${b})
  endif()
endfunction()
