# The character code table is generated from data/charcodes.tsv at build time; nothing of it is
# checked in.
set(ZELK_CHARCODES_SOURCE ${CMAKE_BINARY_DIR}/generated/char_code_table_data.cpp)
add_custom_command(
    OUTPUT ${ZELK_CHARCODES_SOURCE}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/data/charcodes.tsv
            -DOUTPUT=${ZELK_CHARCODES_SOURCE} -P ${CMAKE_SOURCE_DIR}/cmake/gen_charcodes.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/data/charcodes.tsv ${CMAKE_SOURCE_DIR}/cmake/gen_charcodes.cmake
    COMMENT "Generating the character code table"
    VERBATIM)
