# Fails when the installer's first-run settings differ from what the program's first run writes.
execute_process(COMMAND ${TOOL} OUTPUT_VARIABLE actual RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "first_run_settings failed (${result})")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "${EXPECTED} is not what the first run writes any more; regenerate it:\n"
                      "  ${TOOL} > ${EXPECTED}")
endif()
