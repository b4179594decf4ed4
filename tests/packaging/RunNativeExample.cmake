# ctest packaging.native_example: cmake -DEXAMPLE=<native_example> -P RunNativeExample.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ExampleOutput.cmake)
tovik_check_example(${EXAMPLE})
# The provider named on the command line is what gets loaded.
execute_process(COMMAND ${EXAMPLE} libTovikNoSuchProvider.so RESULT_VARIABLE code ERROR_VARIABLE err)
if(NOT code EQUAL 2 OR NOT err MATCHES "cannot load the provider: .*libTovikNoSuchProvider.so")
  message(FATAL_ERROR "a missing provider: exit code ${code}, stderr: ${err}")
endif()
