# Writes Unicode's full upper-case and title-case mappings (UnicodeData.txt's
# simple ones, replaced by SpecialCasing.txt's unconditional ones) as C++
# initialisers, one {from, {upper}, {title}} a line in ascending order; and the
# ranges of letters and decimal digits (DerivedGeneralCategory.txt) as {first,
# last} pairs, in the file's order. Run as:
#   cmake -DUNICODE_DATA=UnicodeData.txt -DSPECIAL_CASING=SpecialCasing.txt
#         -DCATEGORIES=DerivedGeneralCategory.txt -DMAPPINGS=case_mapping_rows.inc
#         -DLETTERS=letter_ranges.inc -P case_mapping.cmake
function(initialiser out codes)
  string(REPLACE " " ", 0x" list "0x${codes}")
  set(${out} "{${list}}" PARENT_SCOPE)
endfunction()

# CMake's expressions count no repeats: the eleven fields before the upper case.
string(REPEAT "[^;]*;" 11 skip11)
# Lines with an upper-case or a title-case mapping.
file(STRINGS "${UNICODE_DATA}" data REGEX "^[0-9A-F]+;${skip11}([0-9A-F]|;[0-9A-F]*;[0-9A-F])")
set(codes "")
foreach(line IN LISTS data)
  string(REGEX MATCH "^([0-9A-F]+);${skip11}([0-9A-F]*);[0-9A-F]*;([0-9A-F]*)" matched "${line}")
  set(code ${CMAKE_MATCH_1})
  set(upper "${CMAKE_MATCH_2}")
  set(title "${CMAKE_MATCH_3}")
  if(upper STREQUAL "")
    set(upper ${code})
  endif()
  if(title STREQUAL "")
    set(title ${upper})
  endif()
  set(upper_${code} ${upper})
  set(title_${code} ${title})
  list(APPEND codes ${code})
endforeach()
list(LENGTH codes count)
if(count LESS 1000)
  message(FATAL_ERROR "${UNICODE_DATA} holds ${count} upper-case mappings: not the Unicode file")
endif()

file(STRINGS "${SPECIAL_CASING}" special REGEX "^[0-9A-F]+; [0-9A-F ]*; [0-9A-F ]*; [0-9A-F ]*; #")
foreach(line IN LISTS special)
  string(REGEX MATCH "^([0-9A-F]+); [0-9A-F ]*; ([0-9A-F ]*); ([0-9A-F ]*); #" matched "${line}")
  set(code ${CMAKE_MATCH_1})
  set(upper_${code} ${CMAKE_MATCH_3})
  set(title_${code} ${CMAKE_MATCH_2})
  list(APPEND codes ${code})
endforeach()

# In numeric order: hex names of equal length sort as their numbers.
set(padded "")
foreach(code IN LISTS codes)
  string(LENGTH ${code} length)
  math(EXPR zeros "6 - ${length}")
  string(REPEAT "0" ${zeros} pad)
  list(APPEND padded "${pad}${code}")
endforeach()
list(REMOVE_DUPLICATES padded)
list(SORT padded)

file(STRINGS "${UNICODE_DATA}" header LIMIT_COUNT 1)
file(STRINGS "${SPECIAL_CASING}" specialHeader LIMIT_COUNT 1)
set(rows "// Made from UnicodeData.txt and ${specialHeader} by cmake/case_mapping.cmake; do not edit.\n")
foreach(padded_code IN LISTS padded)
  string(REGEX REPLACE "^0+(....)" "\\1" code ${padded_code})
  if(NOT upper_${code} STREQUAL code OR NOT title_${code} STREQUAL code)
    initialiser(upper "${upper_${code}}")
    initialiser(title "${title_${code}}")
    string(APPEND rows "{0x${code}, ${upper}, ${title}},\n")
  endif()
endforeach()
file(CONFIGURE OUTPUT "${MAPPINGS}" CONTENT "${rows}")

file(STRINGS "${CATEGORIES}" categoryHeader LIMIT_COUNT 1)
file(STRINGS "${CATEGORIES}" lines REGEX "^[0-9A-F.]+ +; (L[ultmo]|Nd) ")
set(ranges "// Made from ${categoryHeader} by cmake/case_mapping.cmake; do not edit.\n")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([0-9A-F]+)(\\.\\.([0-9A-F]+))?" matched "${line}")
  set(last "${CMAKE_MATCH_3}")
  if(last STREQUAL "")
    set(last ${CMAKE_MATCH_1})
  endif()
  string(APPEND ranges "{0x${CMAKE_MATCH_1}, 0x${last}},\n")
endforeach()
file(CONFIGURE OUTPUT "${LETTERS}" CONTENT "${ranges}")
