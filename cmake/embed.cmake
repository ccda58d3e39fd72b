# Writes OUTPUT, a C++ header that holds each file of FILES as a
# std::string_view of the name at the same place in NAMES, so that files
# edited as what they are (HTML, CSS, JavaScript) are built into the
# program byte for byte.
#   cmake -DOUTPUT=out.h -DGUARD=NAME_H_ -DNAMES="kA;kB" -DFILES="a;b" -P embed.cmake
set(text "// Made by the build from files of the source tree; edit those.\n")
string(APPEND text "#ifndef ${GUARD}\n#define ${GUARD}\n\n#include <string_view>\n\n")
string(APPEND text "namespace ugraph {\n")
foreach(name file IN ZIP_LISTS NAMES FILES)
  file(READ "${file}" bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
  string(REGEX REPLACE "(('[^']*',){16})" "\\1\n" bytes "${bytes}")
  string(APPEND text "\ninline constexpr char ${name}Bytes[] = {\n${bytes}};\n")
  string(APPEND text "inline constexpr std::string_view ${name}(${name}Bytes, sizeof ${name}Bytes);\n")
endforeach()
string(APPEND text "\n}  // namespace ugraph\n\n#endif  // ${GUARD}\n")
file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
