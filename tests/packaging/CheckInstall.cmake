# ctest packaging.install: installs the build into a fresh PREFIX and checks what a user takes
# away: the layout, the libraries' run paths, the natives in the jars, the headers (one program
# includes them all), the native example built and run against the installed tree only, and
# the installed tovik launcher.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ExampleOutput.cmake)

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0)
    fail("${ARGN}: exit code ${code}\n${out}${err}")
  endif()
  set(run_output "${out}${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})

# ---- layout: exactly these libraries, nothing of the tests
set(libraries libTovikApi4J.so libTovikPlatform.so libTovikProviderSim.so)
file(GLOB installed_libraries RELATIVE ${PREFIX}/${LIBDIR} ${PREFIX}/${LIBDIR}/*)
list(SORT installed_libraries)
set(expected ${libraries})
list(SORT expected)
if(NOT installed_libraries STREQUAL expected)
  fail("${LIBDIR}/ holds '${installed_libraries}', expected '${expected}'")
endif()

set(headers
  TovikExport.h facade/CTovikManagerIF.h wrappers/Wrappers.h wrappers/ModuleWrappers.h
  core/ThreadCommand.h core/ObjectManager.h core/Registries.h provider/TovikApiProviderLib.h
  core/LogStream.h tovik/platform.h standin/com.h tovik/sim/VirtualProvider.h)
foreach(header IN LISTS headers)
  if(NOT EXISTS ${PREFIX}/${INCLUDEDIR}/${header})
    fail("${INCLUDEDIR}/${header} is not installed")
  endif()
endforeach()
# The JNI side stays private: its headers need jni.h.
file(GLOB_RECURSE private_headers ${PREFIX}/${INCLUDEDIR}/jni/* ${PREFIX}/${INCLUDEDIR}/java/CJ*)
if(private_headers)
  fail("private headers installed: ${private_headers}")
endif()

# ---- run paths: the installed libraries find each other next to themselves, never in the build
find_program(READELF readelf)
if(READELF)
  foreach(library IN LISTS libraries)
    run(${READELF} -d ${PREFIX}/${LIBDIR}/${library})
    if(NOT run_output MATCHES "\\(RUNPATH\\)[^\n]*\\[\\$ORIGIN\\]")
      fail("${library}: run path is not exactly $ORIGIN:\n${run_output}")
    endif()
  endforeach()
endif()

# ---- jars and the natives they carry
if(WITH_JAVA)
  set(carried_api libTovikApi4J.so libTovikPlatform.so)
  set(carried_sim libTovikProviderSim.so libTovikPlatform.so)
  foreach(jar api sim)
    set(jar_file ${PREFIX}/${JAVADIR}/tovik-${jar}.jar)
    if(NOT EXISTS ${jar_file})
      fail("${JAVADIR}/tovik-${jar}.jar is not installed")
    endif()
    run(${JAR} tf ${jar_file})
    foreach(library IN LISTS carried_${jar})
      if(NOT run_output MATCHES "(^|\n)native/${NATIVE_PLATFORM}/${library}\n")
        fail("tovik-${jar}.jar does not carry native/${NATIVE_PLATFORM}/${library}")
      endif()
    endforeach()
  endforeach()
endif()

# ---- a native caller against the installed tree only
if(COMPILE_CHECK)
  set(work ${PREFIX}-work)
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work})
  # Every installed header compiles on its own include folder.
  file(GLOB_RECURSE all_headers RELATIVE ${PREFIX}/${INCLUDEDIR} ${PREFIX}/${INCLUDEDIR}/*.h)
  set(source "")
  foreach(header IN LISTS all_headers)
    string(APPEND source "#include \"${header}\"\n")
  endforeach()
  file(WRITE ${work}/all_headers.cpp "${source}")
  run(${CXX} -std=c++20 -fsyntax-only -I${PREFIX}/${INCLUDEDIR} ${work}/all_headers.cpp)

  run(${CXX} -std=c++20 -I${PREFIX}/${INCLUDEDIR} ${EXAMPLE_SOURCE} -o ${work}/native_example
    -L${PREFIX}/${LIBDIR} -lTovikApi4J -lTovikPlatform -ldl -pthread
    "-Wl,-rpath,${PREFIX}/${LIBDIR}")
  tovik_check_example(${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH
    ${work}/native_example ${PREFIX}/${LIBDIR}/libTovikProviderSim.so)
endif()

# ---- the launcher: runs the tool from the installed jars and libraries
if(WITH_TOOL)
  set(launcher ${PREFIX}/${BINDIR}/tovik)
  if(NOT EXISTS ${launcher})
    fail("${BINDIR}/tovik is not installed")
  endif()
  file(READ ${launcher} text)
  string(FIND "${text}" "${BUILD_DIR}" at)
  if(NOT at EQUAL -1)
    fail("${BINDIR}/tovik refers to the build folder:\n${text}")
  endif()
  run(${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH TOVIK_JAVA_OPTS=-Xcheck:jni ${launcher} modules)
  if(NOT run_output MATCHES "200101" OR NOT run_output MATCHES "TVX-200 Bay 1")
    fail("tovik modules from the installed tree:\n${run_output}")
  endif()
  if(run_output MATCHES "WARNING in native method|WARNING: JNI|FATAL ERROR in native method")
    fail("tovik modules reported JNI problems:\n${run_output}")
  endif()
endif()
message(STATUS "installed tree in ${PREFIX} checked")
