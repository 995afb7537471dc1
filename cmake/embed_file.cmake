# qv_embed_file(input symbol output): writes a C++ source defining
#   extern const unsigned char symbol[];  (the file's bytes followed by a zero)
# and regenerates it whenever the input changes.
function(qv_embed_file input symbol output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
  file(READ ${input} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  file(CONFIGURE OUTPUT ${output} CONTENT "// Generated from ${input}; do not edit.\nextern const unsigned char ${symbol}[];\nconst unsigned char ${symbol}[] = {\n${bytes}0x00};\n" @ONLY)
endfunction()

# qv_embed_files(symbol output files...): writes a C++ source defining
#   const qv::EmbeddedFile symbol[];  ({name, bytes, size} per file, then {nullptr, nullptr, 0})
# with each file's name without its folder (declared in platform/embedded_files.h).
function(qv_embed_files symbol output)
  set(arrays "")
  set(entries "")
  set(index 0)
  foreach(input IN LISTS ARGN)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
    get_filename_component(name ${input} NAME)
    file(READ ${input} hex HEX)
    file(SIZE ${input} size)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND arrays "static const unsigned char file${index}[] = {${bytes}0x00};\n")
    string(APPEND entries "  {\"${name}\", file${index}, ${size}},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  file(CONFIGURE OUTPUT ${output} CONTENT "// Generated; do not edit.\n#include \"platform/embedded_files.h\"\n${arrays}extern const qv::EmbeddedFile ${symbol}[];\nconst qv::EmbeddedFile ${symbol}[] = {\n${entries}  {nullptr, nullptr, 0}};\n" @ONLY)
endfunction()

# qv_string_numbers(input output): writes a C++ header with an enumerator Name = number for every
# line "number Name<TAB>text" of the string table, so that code names the strings it shows and
# the numbers have one home; regenerated whenever the table changes.
function(qv_string_numbers input output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
  file(STRINGS ${input} lines REGEX "^[0-9]+ [A-Za-z]+\t")
  file(RELATIVE_PATH source ${CMAKE_SOURCE_DIR} ${input})
  set(entries "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([0-9]+) ([A-Za-z]+)\t" _ "${line}")
    string(APPEND entries "  ${CMAKE_MATCH_2} = ${CMAKE_MATCH_1},\n")
  endforeach()
  file(CONFIGURE OUTPUT ${output} CONTENT "// Generated from ${source}; do not edit.
// The strings of the table that code names, by number.
#pragma once

namespace qv {

enum StringNumber : int {
${entries}};

}  // namespace qv
" @ONLY)
endfunction()
