# What native_example prints against the virtual provider's default scenario, line by line
# (regular expressions), and the check of one run.
set(TOVIK_EXAMPLE_LINES
  "initialize: result 0x00000000"
  "modules: result 0x00000000"
  "module count: 3"
  "module 200101 \"TVX-200 Bay 1\" state 1 alias \"Bay 1\" usb \"USB0::200101\""
  "module 200102 \"TVX-200 Bay 2\" state 1 alias \"Bay 2\" usb \"USB0::200102\""
  "module 100017 \"TVX-100 Bench\" state 0 alias \"\" usb \"USB1::100017\""
  "connect: result 0x00000000"
  "connected to 200101: handle [1-9][0-9]*"
  "status: result 0x00000000"
  "connection status: [0-9]+"
  "disconnect: result 0x00000000"
  "done")

# Runs the example (COMMAND ...) and fails unless it exits with 0 and prints exactly the lines.
function(tovik_check_example)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\n" ";" lines "${out}")
  list(FILTER lines EXCLUDE REGEX "^$")
  list(LENGTH lines count)
  list(LENGTH TOVIK_EXAMPLE_LINES expected_count)
  set(problem "")
  if(NOT code EQUAL 0)
    set(problem "exit code ${code}")
  elseif(NOT count EQUAL expected_count)
    set(problem "${count} lines, expected ${expected_count}")
  else()
    foreach(i RANGE 1 ${count})
      math(EXPR index "${i} - 1")
      list(GET lines ${index} line)
      list(GET TOVIK_EXAMPLE_LINES ${index} pattern)
      if(NOT line MATCHES "^${pattern}$")
        set(problem "line ${i} is '${line}', expected '${pattern}'")
        break()
      endif()
    endforeach()
  endif()
  if(problem)
    message(FATAL_ERROR "${ARGN}: ${problem}\n--- stdout\n${out}--- stderr\n${err}")
  endif()
  message(STATUS "${ARGN}: output as expected")
endfunction()
