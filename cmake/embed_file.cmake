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
