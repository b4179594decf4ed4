# ctest examples.java_client: compiles ClientExample.java against the jars, runs it against the
# virtual provider with -Xcheck:jni and checks what it prints. Works in WORK_DIR, which it
# removes afterwards.
#   cmake -DJAVAC=... -DJAVA=... -DSOURCE_DIR=... -DCLASS_PATH=a.jar:b.jar -DLIBRARY_PATH=<lib>
#         -DWORK_DIR=<folder> -P RunExample.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

execute_process(
  COMMAND ${JAVAC} --release 17 -Xlint:all -Werror -cp ${CLASS_PATH} -d ${WORK_DIR}
    ${SOURCE_DIR}/ClientExample.java
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  file(REMOVE_RECURSE ${WORK_DIR})
  message(FATAL_ERROR "ClientExample.java does not compile:\n${out}${err}")
endif()

execute_process(
  COMMAND ${JAVA} -Xcheck:jni -Djava.library.path=${LIBRARY_PATH}
    -cp ${WORK_DIR}:${CLASS_PATH} ClientExample
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
  TIMEOUT 90)
file(REMOVE_RECURSE ${WORK_DIR})
message("${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ClientExample exited with ${rc}")
endif()
if("${out}${err}" MATCHES "WARNING in native method|WARNING: JNI|FATAL ERROR in native method")
  message(FATAL_ERROR "JNI warnings")
endif()

# What it prints against the default workshop, line by line.
set(expected
  "modules: 3"
  "  200101 TVX-200 Bay 1"
  "  200102 TVX-200 Bay 2"
  "  100017 TVX-100 Bench"
  "server VciSystem 5.1.0.0"
  "server VciBoot 1.2.0.0"
  "client TovikApi 4.3.2.1"
  "client TovikTransport 2.1.0.0"
  "event: ModuleEvent[first=1, second=200101, third=7]"
  "refused: PROVIDER_UNKNOWN_MODULE (no module with this serial number)"
  "closed")
string(REPLACE "\n" ";" lines "${out}")
list(FILTER lines EXCLUDE REGEX "^$")
if(NOT "${lines}" STREQUAL "${expected}")
  message(FATAL_ERROR "ClientExample printed\n${out}\ninstead of\n${expected}")
endif()
