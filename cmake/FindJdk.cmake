# Locates the JDK 17 that javac belongs to and its JNI headers. FindJNI does not
# know every JDK folder layout, so without JAVA_HOME the JDK of javac is used.
find_package(Java 17 COMPONENTS Development)
if(NOT JAVA_HOME AND NOT DEFINED ENV{JAVA_HOME} AND Java_JAVAC_EXECUTABLE)
  get_filename_component(_tovik_javac ${Java_JAVAC_EXECUTABLE} REALPATH)
  get_filename_component(JAVA_HOME ${_tovik_javac}/../.. ABSOLUTE)
endif()
find_package(JNI REQUIRED COMPONENTS JVM)
