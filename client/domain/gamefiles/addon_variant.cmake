cmake_minimum_required(VERSION 3.25)
# Makes a variant of the addon from its one source folder: the same files, with a line added to
# the .toc after its title and a mark appended to the version (the first line of version.txt,
# its line end kept). Every other byte stays as the source has it.
# -DSOURCE=<addon folder> -DTARGET=<variant folder> -DTOC=<.toc name> -DNOTE=<.toc line>
# -DVERSION_MARK=<text>
file(REMOVE_RECURSE ${TARGET})
file(COPY ${SOURCE}/ DESTINATION ${TARGET})

# file(READ) drops carriage returns: the .toc must have none, version.txt's line end is taken
# from its bytes.
file(READ ${TARGET}/${TOC} toc)
string(LENGTH "${toc}" toc_length)
file(SIZE ${TARGET}/${TOC} toc_size)
if(NOT toc_length EQUAL toc_size)
    message(FATAL_ERROR "${SOURCE}/${TOC} has carriage returns, which its variant would lose")
endif()
string(REGEX MATCH "## Title:[^\n]*\n" title "${toc}")
if(NOT title)
    message(FATAL_ERROR "${SOURCE}/${TOC} has no \"## Title:\" line to put the variant's note after")
endif()
string(FIND "${toc}" "${title}" at)
string(LENGTH "${title}" title_length)
math(EXPR after "${at} + ${title_length}")
string(SUBSTRING "${toc}" 0 ${after} head)
string(SUBSTRING "${toc}" ${after} -1 tail)
file(WRITE ${TARGET}/${TOC} "${head}${NOTE}\n${tail}")

file(STRINGS ${TARGET}/version.txt number LIMIT_COUNT 1)
string(LENGTH "${number}" number_length)
math(EXPR number_hex_length "${number_length} * 2")
file(READ ${TARGET}/version.txt version HEX)
string(SUBSTRING "${version}" ${number_hex_length} -1 line_end)
if(line_end STREQUAL "0d0a")
    set(line_end "\r\n")
elseif(line_end STREQUAL "0a")
    set(line_end "\n")
elseif(NOT line_end STREQUAL "")
    message(FATAL_ERROR "${SOURCE}/version.txt holds more than one line")
endif()
file(WRITE ${TARGET}/version.txt "${number}${VERSION_MARK}${line_end}")
