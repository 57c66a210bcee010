# Compiles tests/layers/upward_writes.cpp as a unit of the rating's layer: plain, it compiles;
# with each of its five writes to records owned above the rating, it must not, and for that
# reason (a const record), not another.
foreach(write RANGE 0 5)
  execute_process(
    COMMAND ${CXX} -std=c++17 -fsyntax-only -I${SOURCE_DIR}/src -DGOBBLER_LAYER=Rating
            -DWRITE=${write} ${SOURCE_DIR}/tests/layers/upward_writes.cpp
    RESULT_VARIABLE failed ERROR_VARIABLE errors)
  if(write EQUAL 0 AND failed)
    message(FATAL_ERROR "the rating's own write does not compile:\n${errors}")
  elseif(write GREATER 0 AND NOT failed)
    message(FATAL_ERROR "write ${write} to a record owned above the rating compiles")
  elseif(write GREATER 0 AND NOT errors MATCHES "read-only|discards qualifiers")
    message(FATAL_ERROR "write ${write} fails for another reason than a const record:\n${errors}")
  endif()
endforeach()
message(STATUS "the five writes from below are refused")
