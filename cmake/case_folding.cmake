# Writes the simple case folding of Unicode (statuses C and S of
# CaseFolding.txt) as C++ initialisers, one {from, to} pair a line, in the
# file's order, which is ascending. Run as:
#   cmake -DSOURCE=CaseFolding.txt -DOUTPUT=case_folding_pairs.inc -P case_folding.cmake
file(STRINGS "${SOURCE}" header LIMIT_COUNT 1)
file(STRINGS "${SOURCE}" lines REGEX "^[0-9A-F]+; [CS]; [0-9A-F]+;")
list(LENGTH lines count)
if(count LESS 1000)
  message(FATAL_ERROR "${SOURCE} holds ${count} simple foldings: not the Unicode file")
endif()
set(pairs "// Made from ${header} by cmake/case_folding.cmake; do not edit.\n")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([0-9A-F]+); [CS]; ([0-9A-F]+);" matched "${line}")
  string(APPEND pairs "{0x${CMAKE_MATCH_1}, 0x${CMAKE_MATCH_2}},\n")
endforeach()
# Written only when it differs, so that a reconfigure rebuilds nothing.
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${pairs}")
