# ctest packaging.javadoc: javadoc -Xdoclint:all over SOURCES (comma-separated) must report
# nothing: every public class, constructor, method and parameter is documented and the
# comments are well-formed. WORK is removed afterwards.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" SOURCES "${SOURCES}")
file(REMOVE_RECURSE ${WORK})
execute_process(
  COMMAND ${JAVADOC} -Xdoclint:all -Werror -Xmaxwarns 100000 -Xmaxerrs 100000 --release 17 -encoding UTF-8 -d ${WORK} ${SOURCES}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE ${WORK})
string(REGEX MATCHALL "[^\n]*(warning|error)[^\n]*" problems "${out}${err}")
if(NOT code EQUAL 0 OR problems)
  list(LENGTH problems count)
  string(REPLACE ";" "\n" problems "${problems}")
  message(FATAL_ERROR "javadoc -Xdoclint:all: exit code ${code}, ${count} problem lines\n${problems}")
endif()
message(STATUS "javadoc -Xdoclint:all reports nothing")
