# Writes a C++ source holding files as byte arrays, so that a module carries them in
# its code and reads no files at run time.
# cmake -DOUTPUT=<file.cpp> -DNAMESPACE=<ns> -DSYMBOLS=<a|b> -DFILES=<fa|fb> -P EmbedFiles.cmake
# Each file F under symbol S becomes `extern const unsigned char S[]` and
# `extern const std::size_t S_size` in the namespace.
string(REPLACE "|" ";" SYMBOLS "${SYMBOLS}")
string(REPLACE "|" ";" FILES "${FILES}")
list(LENGTH SYMBOLS count)
math(EXPR last "${count} - 1")
set(text "// Generated from the editor's images at build time; do not edit.\n#include <cstddef>\n\nnamespace ${NAMESPACE} {\n")
foreach(i RANGE ${last})
  list(GET SYMBOLS ${i} symbol)
  list(GET FILES ${i} file)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND text "extern const unsigned char ${symbol}[];\nextern const std::size_t ${symbol}_size;\n")
  string(APPEND text "const unsigned char ${symbol}[] = {\n${bytes}};\nconst std::size_t ${symbol}_size = ${size};\n")
endforeach()
string(APPEND text "}  // namespace ${NAMESPACE}\n")
file(WRITE ${OUTPUT}.tmp "${text}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
