# Writes the C++ table of the CIE 1931 2-degree colour-matching functions from
# colour/cie1931_2deg_xyz.csv, the table the page's spectral locus is drawn
# from too. Each line of it is one band: the wavelength in whole nanometres,
# then x-bar, y-bar and z-bar, as the CIE publishes its data sets. The numbers
# are copied as the file spells them, so the compiler reads each one as the
# nearest double, as the page's build step does.
#
#   cmake -DCMF_FILE=cie1931_2deg_xyz.csv -DOUT=cmf_table.cpp -P make_cmf_table.cmake

function(fail message)
    message(FATAL_ERROR "make_cmf_table: ${CMF_FILE}: ${message}")
endfunction()

file(STRINGS "${CMF_FILE}" lines)
set(kNumber "[0-9]+(\\.[0-9]*)?([eE][-+]?[0-9]+)?")

set(body "")
set(bands 0)
foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "")
        continue()
    endif()
    string(REPLACE "," ";" fields "${line}")
    list(LENGTH fields count)
    if(NOT count EQUAL 4)
        fail("'${line}' is not a band: whole nanometres, then x-bar, y-bar and z-bar")
    endif()
    list(GET fields 0 nm)
    list(GET fields 1 x)
    list(GET fields 2 y)
    list(GET fields 3 z)
    if(NOT nm MATCHES "^[0-9]+$")
        fail("'${nm}' is not a whole number of nanometres")
    endif()
    foreach(value ${x} ${y} ${z})
        if(NOT value MATCHES "^${kNumber}$")
            fail("'${value}' at ${nm} nm is not a number")
        endif()
    endforeach()
    # The bands are addressed by first wavelength and step, so they must
    # follow each other at one step.
    if(bands EQUAL 0)
        set(start ${nm})
    elseif(bands EQUAL 1)
        math(EXPR step "${nm} - ${start}")
        if(step LESS 1)
            fail("${nm} nm does not follow ${start} nm")
        endif()
    else()
        math(EXPR expected "${start} + ${bands} * ${step}")
        if(NOT nm EQUAL expected)
            fail("${nm} nm where ${expected} nm should be: the bands are not one step apart")
        endif()
    endif()
    string(APPEND body "    {${x}, ${y}, ${z}},  // ${nm} nm\n")
    math(EXPR bands "${bands} + 1")
endforeach()
if(bands LESS 2)
    fail("want two bands at least, found ${bands}")
endif()

file(WRITE "${OUT}.tmp"
"// Made at build time by colour/make_cmf_table.cmake from
// colour/cie1931_2deg_xyz.csv; not edited by hand.
#include \"colour/cmf_table.h\"

const int kCmfFirstNm = ${start};
const int kCmfStepNm = ${step};
const int kCmfSampleCount = ${bands};
const CmfSample kCmf1931[] = {
${body}};
")
file(RENAME "${OUT}.tmp" "${OUT}")
