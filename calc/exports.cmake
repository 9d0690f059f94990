# Reads the export names from qvcalc32.def (the single list of what the
# library exports) and writes the linker version script that hides the rest.
file(STRINGS ${DEF} lines)
set(names "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]+@[0-9]+")
    list(APPEND names ${CMAKE_MATCH_1})
  endif()
endforeach()
