# cmake -DIN=file -DOUT=file.cpp -P embed.cmake: the bytes of IN as the
# definitions vux_builtin_document.h declares.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUT} "// Generated from builtin.json by vux_build; do not edit.\n"
  "#include \"resources/markup/vux_builtin_document.h\"\n\n"
  "const unsigned char vux_builtin_document_data[] = {\n    ${bytes}\n};\n"
  "const int vux_builtin_document_size = ${size};\n")
