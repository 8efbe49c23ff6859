# Writes the C++ table of the CIE 1931 2-degree colour-matching functions from
# a colord CMF file, the same file the page's spectral locus is drawn from.
# The numbers are copied as the file spells them, so the compiler reads each
# one as the nearest double, as the page's build step does.
#
#   cmake -DCMF_FILE=CIE1931-2deg-XYZ.cmf -DOUT=cmf_table.cpp -P make_cmf_table.cmake

function(fail message)
    message(FATAL_ERROR "make_cmf_table: ${CMF_FILE}: ${message}")
endfunction()

file(READ "${CMF_FILE}" text)

# Whole nanometres only: the bands are addressed by an integer wavelength.
function(read_keyword name out)
    if(NOT text MATCHES "\n${name}[ \t]+([0-9]+)(\\.0*)?[ \t\r]*\n")
        fail("no whole-number ${name}")
    endif()
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
read_keyword(SPECTRAL_START_NM start)
read_keyword(SPECTRAL_END_NM end)
read_keyword(SPECTRAL_BANDS bands)
math(EXPR span "${end} - ${start}")
math(EXPR gaps "${bands} - 1")
math(EXPR step "${span} / ${gaps}")
math(EXPR check "${step} * ${gaps}")
if(bands LESS 2 OR NOT check EQUAL span)
    fail("${bands} bands from ${start} to ${end} nm are not whole steps")
endif()

if(NOT text MATCHES "\nBEGIN_DATA[ \t\r]*\n(.*)\nEND_DATA")
    fail("no data")
endif()
string(STRIP "${CMAKE_MATCH_1}" data)
string(REPLACE "\r" "" data "${data}")
string(REPLACE "\n" ";" rows "${data}")
list(LENGTH rows row_count)
if(NOT row_count EQUAL 3)
    fail("want 3 rows (x-bar, y-bar, z-bar), found ${row_count}")
endif()

set(columns)
foreach(row IN LISTS rows)
    string(STRIP "${row}" row)
    string(REGEX REPLACE "[ \t]+" ";" values "${row}")
    list(LENGTH values count)
    if(NOT count EQUAL bands)
        fail("want ${bands} numbers a row, found ${count}")
    endif()
    foreach(value IN LISTS values)
        if(NOT value MATCHES "^[0-9]+(\\.[0-9]*)?([eE][-+]?[0-9]+)?$")
            fail("'${value}' is not a number")
        endif()
    endforeach()
    list(APPEND columns "${values}")
endforeach()

set(body "")
foreach(i RANGE ${gaps})
    math(EXPR yi "${i} + ${bands}")
    math(EXPR zi "${i} + 2 * ${bands}")
    list(GET columns ${i} x)
    list(GET columns ${yi} y)
    list(GET columns ${zi} z)
    math(EXPR nm "${start} + ${i} * ${step}")
    string(APPEND body "    {${x}, ${y}, ${z}},  // ${nm} nm\n")
endforeach()

file(WRITE "${OUT}.tmp"
"// Made at build time by colour/make_cmf_table.cmake from
// ${CMF_FILE}; not edited by hand.
#include \"colour/cmf_table.h\"

const int kCmfFirstNm = ${start};
const int kCmfStepNm = ${step};
const int kCmfSampleCount = ${bands};
const CmfSample kCmf1931[] = {
${body}};
")
file(RENAME "${OUT}.tmp" "${OUT}")
