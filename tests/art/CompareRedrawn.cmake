# Runs the picture generator into WORK_DIR and compares every file with its twin in ART_DIR.
# Arguments: GENERATOR, FONT, ART_DIR, WORK_DIR.
if(NOT EXISTS "${FONT}")
  message("skipped: the font is not installed (${FONT})")
  return()
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${GENERATOR}" --font "${FONT}" "${WORK_DIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${status}")
endif()

file(GLOB_RECURSE drawn RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
file(GLOB_RECURSE committed RELATIVE "${ART_DIR}" "${ART_DIR}/pictures/*" "${ART_DIR}/icons/*")
list(SORT drawn)
list(SORT committed)
if(NOT drawn STREQUAL committed)
  message(FATAL_ERROR "the generator draws\n  ${drawn}\nbut art/ holds\n  ${committed}")
endif()
foreach(name IN LISTS drawn)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/${name}"
                          "${ART_DIR}/${name}" RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${name} differs from the committed file")
  endif()
endforeach()
list(LENGTH drawn count)
message("all ${count} pictures redrawn byte for byte")
