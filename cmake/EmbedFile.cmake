file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE "${OUTPUT}"
  "#include <string_view>\nnamespace tintorb {\n"
  "static const char ${SYMBOL}_bytes[] = {${bytes} 0};\n"
  "extern const std::string_view ${SYMBOL};\n"
  "const std::string_view ${SYMBOL}(${SYMBOL}_bytes, sizeof(${SYMBOL}_bytes) - 1);\n"
  "}\n")
