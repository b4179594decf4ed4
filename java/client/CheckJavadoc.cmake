# ctest java.client_javadoc: javadoc -Xdoclint:all over the client's sources; any warning or
# error fails. Writes into OUT, which it removes afterwards.
#   cmake -DJAVADOC=... -DSOURCES=<src folder> -DCLASS_PATH=<tovik-api.jar> -DOUT=<folder> -P CheckJavadoc.cmake
file(GLOB_RECURSE sources ${SOURCES}/*.java)
file(REMOVE_RECURSE ${OUT})
execute_process(
  COMMAND ${JAVADOC} -Xdoclint:all -quiet -encoding UTF-8 --release 17
    -classpath ${CLASS_PATH} -d ${OUT} ${sources}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
file(REMOVE_RECURSE ${OUT})
message("${out}${err}")
if(NOT rc EQUAL 0 OR "${out}${err}" MATCHES "warning|error")
  message(FATAL_ERROR "javadoc -Xdoclint:all is not clean (exit ${rc})")
endif()
