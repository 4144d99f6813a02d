# The built-in highlighting parsers. Each script of data/highlight is compiled by quarryhl at build
# time into its stored form (version, size, KH-compressed tables), and the six forms are embedded in
# a generated source, so a script that does not compile fails the build instead of the user.
#
# This file has two roles: included from the top CMakeLists.txt it declares the build steps and
# the library quarry_builtin_parsers; run with "cmake -P" it writes the generated source from the
# compiled forms (OUTPUT=<source> INPUTS=<a;b;...>).

if(CMAKE_SCRIPT_MODE_FILE)
  set(body "")
  set(entries "")
  foreach(input IN LISTS INPUTS)
    get_filename_component(stem ${input} NAME_WE)
    file(READ ${input} hex HEX)
    string(LENGTH "${hex}" hex_length)
    if(hex_length EQUAL 0)
      message(FATAL_ERROR "Compiled parser ${input} is empty")
    endif()
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    # Twenty bytes a line keeps the generated file readable in a diff.
    string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){20})" "\\1\n    " bytes "${bytes}")
    string(APPEND body "const unsigned char k_${stem}[] = {\n    ${bytes}\n};\n\n")
    string(APPEND entries "        {\"${stem}.hl\", {reinterpret_cast<const char*>(k_${stem}), sizeof k_${stem}}},\n")
  endforeach()
  file(WRITE ${OUTPUT}.tmp
    "// Generated at build time from the compiled highlighting scripts; do not edit.\n"
    "#include \"highlight/BuiltinParserImages.h\"\n\n"
    "namespace quarry {\n\nnamespace {\n\n${body}}  // namespace\n\n"
    "std::span<const BuiltinParserImage> builtinParserImages()\n{\n"
    "    static const BuiltinParserImage images[] = {\n${entries}    };\n"
    "    return images;\n}\n\n}  // namespace quarry\n")
  # Only a changed source makes the library rebuild.
  file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
  file(REMOVE ${OUTPUT}.tmp)
  return()
endif()

set(QUARRY_BUILTIN_SCRIPTS asm pascal c java html text)
set(quarry_parsers_dir ${CMAKE_BINARY_DIR}/generated/parsers)
file(GLOB quarry_all_scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/highlight/*.hl)
set(quarry_compiled_parsers)
foreach(stem ${QUARRY_BUILTIN_SCRIPTS})
  set(compiled ${quarry_parsers_dir}/${stem}.parser)
  add_custom_command(OUTPUT ${compiled}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${quarry_parsers_dir}
    COMMAND $<TARGET_FILE:quarryhl> compile ${CMAKE_SOURCE_DIR}/data/highlight/${stem}.hl -o ${compiled}
    DEPENDS quarryhl ${quarry_all_scripts}
    COMMENT "Compiling highlighting script ${stem}.hl"
    VERBATIM)
  list(APPEND quarry_compiled_parsers ${compiled})
endforeach()

set(quarry_parsers_source ${quarry_parsers_dir}/BuiltinParserImages.cpp)
add_custom_command(OUTPUT ${quarry_parsers_source}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${quarry_parsers_source} "-DINPUTS=${quarry_compiled_parsers}"
          -P ${CMAKE_SOURCE_DIR}/cmake/QuarryParsers.cmake
  DEPENDS ${quarry_compiled_parsers} ${CMAKE_SOURCE_DIR}/cmake/QuarryParsers.cmake
  COMMENT "Embedding the built-in parsers"
  VERBATIM)

add_library(quarry_builtin_parsers STATIC ${quarry_parsers_source})
target_link_libraries(quarry_builtin_parsers PUBLIC quarry_highlight)
quarry_warnings(quarry_builtin_parsers)

# Whoever builds a parser repository from the built-in images links them: the editor windows
# (and through them the program) and the tests and benchmarks of the repository.
foreach(consumer quarry_editorwin test_highlight test_editor test_prefs test_prefs_ui bench_repository)
  if(TARGET ${consumer})
    get_target_property(consumer_type ${consumer} TYPE)
    if(consumer_type STREQUAL "INTERFACE_LIBRARY")
      target_link_libraries(${consumer} INTERFACE quarry_builtin_parsers)
    elseif(consumer_type STREQUAL "STATIC_LIBRARY")
      target_link_libraries(${consumer} PUBLIC quarry_builtin_parsers)
    else()
      target_link_libraries(${consumer} PRIVATE quarry_builtin_parsers)
    endif()
  endif()
endforeach()
