# cmake -DINPUT=charcodes.tsv -DOUTPUT=file.cpp -P gen_charcodes.cmake
# Each line: block (E or G), Primary code, character (UTF-8), GBK bytes in hex, Secondary code.
file(READ "${INPUT}" text)
set(row "([^\t\n]+)\t[^\t\n]+\t([0-9A-F][0-9A-F])([0-9A-F][0-9A-F])\t([^\t\n]+)\n")
string(REGEX REPLACE "G\t${row}" "" extension "${text}")
string(REGEX REPLACE "E\t${row}" "" gb2312 "${text}")
set(record "    {\"\\1\", {0x\\2, 0x\\3}, {0, 0}, \"\\4\"},\n")
string(REGEX REPLACE "E\t${row}" "${record}" extension "${extension}")
string(REGEX REPLACE "G\t${row}" "${record}" gb2312 "${gb2312}")
string(REGEX MATCHALL "\n" extension_lines "${extension}")
string(REGEX MATCHALL "\n" gb2312_lines "${gb2312}")
list(LENGTH extension_lines extension_count)
list(LENGTH gb2312_lines gb2312_count)
if(NOT extension_count EQUAL 14139 OR NOT gb2312_count EQUAL 6763)
    message(FATAL_ERROR "charcodes.tsv: ${extension_count} E rows and ${gb2312_count} G rows, "
                        "expected 14139 and 6763")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from data/charcodes.tsv by cmake/gen_charcodes.cmake. Do not edit.
#include \"dict/char_code_table.h\"

const CharCodeRecord CharCodeTable[kCharCodeCount] = {
${extension}${gb2312}};
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
