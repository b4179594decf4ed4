# ctest packaging.java_example: checks that README shows examples/java/TovikExample.java (SOURCE)
# unchanged, compiles it against the jars users take away (JARS, colon-separated) and runs it
# with -Xcheck:jni and nothing else: no library path, so the natives come out of the jars.
# Checks its output, that no JNI problem was reported and that the extraction left nothing
# behind. WORK is removed afterwards.
cmake_minimum_required(VERSION 3.25)

function(fail text)
  file(REMOVE_RECURSE ${WORK})
  message(FATAL_ERROR "${text}")
endfunction()

# The README shows the example as it is.
file(READ ${SOURCE} example)
file(READ ${README} readme)
string(FIND "${readme}" "```java\n${example}```\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${README} does not show ${SOURCE} as it is")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/classes ${WORK}/tmp)
execute_process(COMMAND ${JAVAC} -Xlint:all -Werror -cp ${JARS} -d ${WORK}/classes ${SOURCE}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  fail("javac ${SOURCE}: exit code ${code}\n${out}${err}")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH --unset=JAVA_TOOL_OPTIONS
    ${JAVA} -Xcheck:jni -Djava.io.tmpdir=${WORK}/tmp -cp ${JARS}:${WORK}/classes TovikExample
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
set(expected
  "module 200101 TVX-200 Bay 1\n"
  "module 200102 TVX-200 Bay 2\n"
  "module 100017 TVX-100 Bench\n"
  "modules: result 0\n"
  "register for events: result 0\n"
  "event 1 200101 0\n"
  "done\n")
string(JOIN "" expected ${expected})
if(NOT code EQUAL 0 OR NOT out STREQUAL expected)
  fail("TovikExample: exit code ${code}\n--- stdout\n${out}--- expected\n${expected}--- stderr\n${err}")
endif()
if("${out}${err}" MATCHES "WARNING in native method|WARNING: JNI|FATAL ERROR in native method")
  fail("TovikExample reported JNI problems:\n${out}${err}")
endif()
file(GLOB left ${WORK}/tmp/*)
if(left)
  fail("TovikExample left ${left}")
endif()
file(REMOVE_RECURSE ${WORK})
message(STATUS "TovikExample ran as expected")
