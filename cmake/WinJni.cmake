# JNI headers for a Windows build made on Linux: jni.h of the build machine's
# JDK (it is the same on every platform) and the project's own Windows
# jni_md.h in cmake/win-jni. Nothing is linked: the JVM hands the library its
# JNIEnv.
find_path(TOVIK_JNI_H_DIR jni.h
  HINTS ${JAVA_HOME}/include $ENV{JAVA_HOME}/include
  PATHS /usr/lib/jvm/default-java/include /usr/lib/jvm/java-17-openjdk-amd64/include
        /usr/lib/jvm/java-1.17.0-openjdk-amd64/include
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT TOVIK_JNI_H_DIR)
  message(FATAL_ERROR "jni.h not found: install a JDK (openjdk-17-jdk-headless) or set JAVA_HOME")
endif()
set(JNI_INCLUDE_DIRS ${CMAKE_CURRENT_LIST_DIR}/win-jni ${TOVIK_JNI_H_DIR})
set(JNI_FOUND TRUE)
