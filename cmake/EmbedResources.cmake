# Writes a C++ source that holds files as module resources (cmake -P script).
#   -DOUTPUT=file.cpp -DFUNCTION=name -DTYPE=PNG -DRESOURCES="number;file;number;file..."
# The source defines `const ModuleResources* FUNCTION()` returning the table.
set(arrays "")
set(entries "")
set(count 0)
list(LENGTH RESOURCES length)
math(EXPR last "${length} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET RESOURCES ${i} number)
  list(GET RESOURCES ${j} file)
  if(number GREATER 65535)
    message(FATAL_ERROR "resource number ${number} of ${file} does not fit in 16 bits")
  endif()
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const unsigned char resource${number}[] = {\n    ${bytes}};\n")
  string(APPEND entries "    {\"${TYPE}\", ${number}, resource${number}, sizeof resource${number}},\n")
  math(EXPR count "${count} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp "// Written by cmake/EmbedResources.cmake at build time.
#include \"platform/ModuleResources.h\"

namespace {
${arrays}
const ModuleResource entries[] = {
${entries}};
}  // namespace

const ModuleResources* ${FUNCTION}() {
  static const ModuleResources table{entries, ${count}};
  return &table;
}
")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
