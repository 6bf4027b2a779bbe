# Writes the course data file into a C++ source as an array of bytes, so that
# the program carries the course and reads no file for it.
file(READ "${INPUT}" content HEX)
string(LENGTH "${content}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
"#include <cstddef>\n"
"extern const unsigned char courseContentData[];\n"
"extern const std::size_t courseContentSize;\n"
"const unsigned char courseContentData[] = {\n${bytes}0};\n"
"const std::size_t courseContentSize = ${size};\n")
