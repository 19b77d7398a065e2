# The cabinet records each file's time: give every file of the payload the same one
# (SOURCE_DATE_EPOCH, else 2000-01-01), so that the same sources give the same package.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  set(epoch 946684800)
endif()
file(GLOB files ${PAYLOAD}/*)
foreach(file IN LISTS files)
  execute_process(COMMAND touch -d @${epoch} ${file} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot set the time of ${file}")
  endif()
endforeach()
