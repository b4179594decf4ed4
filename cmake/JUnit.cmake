# JUnit 5 test runs as CTest tests.
#
#   tovik_add_junit_test(NAME <ctest name>
#                        JARS <jar target or jar file>...
#                        [SELECT <console launcher selector>...]
#                        [JVM_ARGS <extra JVM option>...]
#                        [TIMEOUT <seconds>]
#                        [LABELS <label>...])
#
# JARS forms the class path of the run (after the launcher); each entry is an add_jar() target
# (its JAR_FILE is used, so the target may be defined after this call) or a path to a jar.
# Without SELECT the first entry is scanned for test classes; with SELECT only the given
# selectors run, e.g.
#   SELECT --select-class=com.holm.zep.tovik.api.jni.NativeSmokeTest
#   SELECT --select-method=com.holm.zep.tovik.api.jni.NativeSmokeTest#echoesText
#   SELECT --select-package=com.holm.zep.tovik.api.jni
#
# Every run uses a JVM with -Xcheck:jni and java.library.path pointing at the build's lib/
# folder; any JNI warning or fatal JNI error in the output fails the test even when JUnit
# itself reports success. A run that finds no test fails as well.

include_guard(GLOBAL)

set(TOVIK_JUNIT_CONSOLE "/usr/share/java/junit-platform-console-standalone.jar"
  CACHE FILEPATH "JUnit Platform console launcher (standalone jar)")
set(TOVIK_JUNIT_LIBRARY_PATH "${CMAKE_BINARY_DIR}/lib"
  CACHE PATH "java.library.path of the JUnit runs")

# Output of the JVM's -Xcheck:jni that makes a run fail.
set(TOVIK_JNI_CHECK_FAILURES
  "WARNING in native method|WARNING: JNI|FATAL ERROR in native method")

function(tovik_add_junit_test)
  cmake_parse_arguments(PARSE_ARGV 0 JT "" "NAME;TIMEOUT" "JARS;SELECT;JVM_ARGS;LABELS")
  if(JT_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tovik_add_junit_test: unknown arguments ${JT_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT JT_NAME)
    message(FATAL_ERROR "tovik_add_junit_test: NAME is required")
  endif()
  if(NOT JT_JARS)
    message(FATAL_ERROR "tovik_add_junit_test(${JT_NAME}): JARS is required")
  endif()
  if(NOT Java_JAVA_EXECUTABLE)
    find_package(Java 17 REQUIRED COMPONENTS Runtime)
  endif()

  # The jars go on the JVM's own class path, next to the launcher, rather than on the
  # launcher's --class-path: threads that native code attaches to the JVM find classes through
  # the system class loader only, and the library's log sink and value classes must be
  # reachable from them.
  set(class_path "${TOVIK_JUNIT_CONSOLE}")
  set(first_jar "")
  foreach(jar IN LISTS JT_JARS)
    if(TARGET ${jar})
      set(jar "$<TARGET_PROPERTY:${jar},JAR_FILE>")
    endif()
    if(NOT first_jar)
      set(first_jar "${jar}")
    endif()
    list(APPEND class_path "${jar}")
  endforeach()
  if(WIN32)
    list(JOIN class_path "$<SEMICOLON>" class_path_arg)
  else()
    list(JOIN class_path ":" class_path_arg)
  endif()

  if(JT_SELECT)
    set(selection ${JT_SELECT})
  else()
    set(selection "--scan-class-path=${first_jar}")
  endif()

  add_test(NAME ${JT_NAME}
    COMMAND ${Java_JAVA_EXECUTABLE}
      -Xcheck:jni
      -ea
      "-Djava.library.path=${TOVIK_JUNIT_LIBRARY_PATH}"
      ${JT_JVM_ARGS}
      -cp "${class_path_arg}"
      org.junit.platform.console.ConsoleLauncher
      ${selection}
      --fail-if-no-tests
      --details=tree
      --details-theme=ascii
      --disable-banner
      --disable-ansi-colors)

  set(labels java ${JT_LABELS})
  set_tests_properties(${JT_NAME} PROPERTIES
    FAIL_REGULAR_EXPRESSION "${TOVIK_JNI_CHECK_FAILURES}"
    LABELS "${labels}")
  if(JT_TIMEOUT)
    set_tests_properties(${JT_NAME} PROPERTIES TIMEOUT ${JT_TIMEOUT})
  endif()
endfunction()
