# What `cmake --install` lays out (use `cmake --install build --strip`) and the jars users take
# away.
#
#   <prefix>/lib/                   libTovikApi4J.so.<version>, libTovikPlatform.so.<version>,
#                                   libTovikProviderSim.so.<version> with their SONAME links
#                                   (.so.1) and development links (.so); run path $ORIGIN, so
#                                   they find each other wherever the prefix is
#   <prefix>/lib/cmake/TovikApi4J/  the CMake package: find_package(TovikApi4J CONFIG) gives
#                                   TovikApi4J::TovikApi4J, TovikApi4J::Platform and
#                                   TovikApi4J::ProviderSim
#   <prefix>/lib/pkgconfig/         tovikapi4j.pc
#   <prefix>/include/TovikApi4J/    headers of the exported native classes and what they include
#   <prefix>/share/java/            tovik-api-<version>.jar, tovik-sim-<version>.jar (each carrying
#                                   its natives), tovik-tool-<version>.jar, the third-party jars
#                                   the tool was built against, a .pom per jar and the javadoc
#                                   jars of the api and the virtual provider's control surface
#   <prefix>/bin/tovik              the command-line tool, relocatable with the prefix
#
# Included by every folder that installs something (it sets variables of the folder's scope).

include(GNUInstallDirs)

# The ABI version of the shared libraries: their SONAME is lib<name>.so.${TOVIK_SOVERSION}.
set(TOVIK_SOVERSION 1)
set(TOVIK_MAVEN_GROUP com.holm.zep.tovik)
set(TOVIK_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/TovikApi4J)
set(TOVIK_INSTALL_JAVADIR ${CMAKE_INSTALL_DATADIR}/java)
set(TOVIK_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/TovikApi4J)
set(TOVIK_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# <os>-<arch> as the jars' loader spells it (NativeLibraryLoader in java/api).
string(TOLOWER "${CMAKE_SYSTEM_NAME}" _tovik_os)
string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" _tovik_arch)
if(_tovik_arch MATCHES "^(amd64|x86_64|x64)$")
  set(_tovik_arch x86_64)
elseif(_tovik_arch MATCHES "^(i[3-6]86|x86)$")
  set(_tovik_arch x86)
elseif(_tovik_arch MATCHES "^(arm64|aarch64)$")
  set(_tovik_arch aarch64)
endif()
set(TOVIK_NATIVE_PLATFORM "${_tovik_os}-${_tovik_arch}")

# ---- native libraries and the CMake / pkg-config package

#   tovik_install_library(<target> EXPORT_NAME <name>)
#
# Gives a shared library its versioned file name and SONAME, installs it with run path $ORIGIN
# and enters it in the package as TovikApi4J::<name>.
function(tovik_install_library target)
  cmake_parse_arguments(PARSE_ARGV 1 IL "" "EXPORT_NAME" "")
  if(NOT IL_EXPORT_NAME)
    message(FATAL_ERROR "tovik_install_library(${target}): EXPORT_NAME is required")
  endif()
  if(NOT WIN32)
    set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${TOVIK_SOVERSION})
  endif()
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "\$ORIGIN" EXPORT_NAME ${IL_EXPORT_NAME})
  # The same name inside the build, so that the example's CMake project works both ways.
  add_library(TovikApi4J::${IL_EXPORT_NAME} ALIAS ${target})
  install(TARGETS ${target} EXPORT TovikApi4JTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    INCLUDES DESTINATION ${TOVIK_INSTALL_INCLUDEDIR})
endfunction()

# The CMake package (targets of every tovik_install_library, wherever it is called) and
# tovikapi4j.pc. Both find the prefix relative to themselves, so it can move.
function(tovik_install_native_package)
  if(WIN32)
    # The Windows build runs tests only; its platform library is not installed.
    return()
  endif()
  include(CMakePackageConfigHelpers)
  set(build ${CMAKE_CURRENT_BINARY_DIR}/package)
  install(EXPORT TovikApi4JTargets NAMESPACE TovikApi4J:: DESTINATION ${TOVIK_INSTALL_CMAKEDIR})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TovikApi4JConfig.cmake.in
    ${build}/TovikApi4JConfig.cmake INSTALL_DESTINATION ${TOVIK_INSTALL_CMAKEDIR})
  write_basic_package_version_file(${build}/TovikApi4JConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${build}/TovikApi4JConfig.cmake ${build}/TovikApi4JConfigVersion.cmake
    DESTINATION ${TOVIK_INSTALL_CMAKEDIR})
  file(RELATIVE_PATH pc_to_prefix /prefix/${TOVIK_INSTALL_PKGCONFIGDIR} /prefix)
  string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
  set(TOVIK_PC_PREFIX "\${pcfiledir}/${pc_to_prefix}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/tovikapi4j.pc.in ${build}/tovikapi4j.pc @ONLY)
  install(FILES ${build}/tovikapi4j.pc DESTINATION ${TOVIK_INSTALL_PKGCONFIGDIR})
endfunction()

# ---- jars

#   tovik_add_dist_jar(<target> JAR <add_jar target> ARTIFACT <name> MODULE <module name>
#                      [TITLE <text>] [LIBRARIES <library target>...] [MAIN_CLASS <class>]
#                      [CLASS_PATH <jar file name>...] [DEPENDENCIES <pom dependency>...])
#
# Builds ${TOVIK_JAR_DIR}/dist/<name>-${PROJECT_VERSION}.jar from the classes of the add_jar
# target under a manifest of its own: Implementation-Title/-Version, Automatic-Module-Name, and
# Main-Class and Class-Path when given. The files of the library targets are added under
# native/${TOVIK_NATIVE_PLATFORM}/ by their SONAME file name, stripped, with <name>.SHA256SUMS
# named after the first library (the loader checks every file against it before loading).
# Installs the jar and a pom for it (<name>-<version>.pom; DEPENDENCIES are
# "group:artifact:version" entries) and registers the artifact in the global property
# TOVIK_DIST_ARTIFACTS (in the order of the calls), whose jars the tool's launcher and Class-Path
# list. The target's JAR_FILE property names the result. The build tree's jars stay as they are:
# the build's lib/ serves them.
function(tovik_add_dist_jar target)
  cmake_parse_arguments(PARSE_ARGV 1 DJ ""
    "JAR;ARTIFACT;MODULE;TITLE;MAIN_CLASS" "LIBRARIES;CLASS_PATH;DEPENDENCIES")
  if(NOT DJ_JAR OR NOT DJ_ARTIFACT OR NOT DJ_MODULE)
    message(FATAL_ERROR "tovik_add_dist_jar(${target}): JAR, ARTIFACT and MODULE are required")
  endif()
  if(NOT DJ_TITLE)
    set(DJ_TITLE ${DJ_ARTIFACT})
  endif()
  get_target_property(jar_file ${DJ_JAR} JAR_FILE)
  set(jar_name ${DJ_ARTIFACT}-${PROJECT_VERSION}.jar)
  set(output ${TOVIK_JAR_DIR}/dist/${jar_name})
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/${target}.stage)

  # The manifest of the jar users take away.
  set(manifest "Implementation-Title: ${DJ_TITLE}\n"
    "Implementation-Version: ${PROJECT_VERSION}\n"
    "Automatic-Module-Name: ${DJ_MODULE}\n")
  if(DJ_MAIN_CLASS)
    list(APPEND manifest "Main-Class: ${DJ_MAIN_CLASS}\n")
  endif()
  if(DJ_CLASS_PATH)
    list(JOIN DJ_CLASS_PATH " " class_path)
    list(APPEND manifest "Class-Path: ${class_path}\n")
  endif()
  string(JOIN "" manifest ${manifest})
  file(WRITE ${stage}.manifest "${manifest}")

  # The jar's content again, under a manifest of its own (the attributes above replace the
  # build jar's manifest, which stays behind).
  set(content ${stage}/content)
  set(commands
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${content}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${content}
    COMMAND ${CMAKE_COMMAND} -E chdir ${content} ${Java_JAR_EXECUTABLE} xf ${jar_file}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${content}/META-INF/MANIFEST.MF)
  if(DJ_LIBRARIES)
    set(native_dir ${content}/native/${TOVIK_NATIVE_PLATFORM})
    # Named after the jar's own library: jars that share a class loader must not hide each
    # other's list.
    list(GET DJ_LIBRARIES 0 main_library)
    set(checksums $<TARGET_FILE_BASE_NAME:${main_library}>.SHA256SUMS)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${native_dir})
    foreach(library IN LISTS DJ_LIBRARIES)
      set(carried ${native_dir}/$<TARGET_SONAME_FILE_NAME:${library}>)
      list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${library}> ${carried})
      if(CMAKE_STRIP)
        list(APPEND commands COMMAND ${CMAKE_STRIP} --strip-unneeded ${carried})
      endif()
    endforeach()
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -DFOLDER=${native_dir} -DLIST=${checksums}
        -P ${PROJECT_SOURCE_DIR}/cmake/NativeChecksums.cmake)
  endif()
  list(APPEND commands
    COMMAND ${CMAKE_COMMAND} -E rm -f ${output}
    COMMAND ${Java_JAR_EXECUTABLE} --create --file ${output} --manifest ${stage}.manifest -C ${content} .)
  add_custom_command(OUTPUT ${output} ${commands}
    DEPENDS ${jar_file} ${DJ_LIBRARIES} ${stage}.manifest ${PROJECT_SOURCE_DIR}/cmake/NativeChecksums.cmake
    COMMENT "Building dist/${jar_name}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
  add_dependencies(${target} ${DJ_JAR})
  set_target_properties(${target} PROPERTIES JAR_FILE ${output})
  install(FILES ${output} DESTINATION ${TOVIK_INSTALL_JAVADIR})

  tovik_write_pom(${TOVIK_JAR_DIR}/dist/${DJ_ARTIFACT}-${PROJECT_VERSION}.pom
    ARTIFACT ${DJ_ARTIFACT} NAME ${DJ_TITLE} DEPENDENCIES ${DJ_DEPENDENCIES})
  install(FILES ${TOVIK_JAR_DIR}/dist/${DJ_ARTIFACT}-${PROJECT_VERSION}.pom
    DESTINATION ${TOVIK_INSTALL_JAVADIR})
  set_property(GLOBAL APPEND PROPERTY TOVIK_DIST_ARTIFACTS ${DJ_ARTIFACT})
endfunction()

#   tovik_write_pom(<file> ARTIFACT <name> NAME <text> [DEPENDENCIES <group:artifact:version>...])
function(tovik_write_pom file)
  cmake_parse_arguments(PARSE_ARGV 1 P "" "ARTIFACT;NAME" "DEPENDENCIES")
  set(TOVIK_POM_GROUP ${TOVIK_MAVEN_GROUP})
  set(TOVIK_POM_ARTIFACT ${P_ARTIFACT})
  set(TOVIK_POM_NAME ${P_NAME})
  set(TOVIK_POM_VERSION ${PROJECT_VERSION})
  set(TOVIK_POM_DEPENDENCIES "")
  foreach(dependency IN LISTS P_DEPENDENCIES)
    string(REPLACE ":" ";" parts ${dependency})
    list(GET parts 0 group)
    list(GET parts 1 artifact)
    list(GET parts 2 version)
    string(APPEND TOVIK_POM_DEPENDENCIES
      "    <dependency>\n"
      "      <groupId>${group}</groupId>\n"
      "      <artifactId>${artifact}</artifactId>\n"
      "      <version>${version}</version>\n"
      "    </dependency>\n")
  endforeach()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/pom.xml.in ${file} @ONLY)
endfunction()

#   tovik_maven_coordinates(<out var> <jar file>)
#
# "group:artifact:version" of a third-party jar, from Debian's Maven repository entry of the
# same file (/usr/share/maven-repo/<group path>/<artifact>/<version>/<artifact>-<version>.jar);
# empty when there is none.
function(tovik_maven_coordinates out jar)
  get_filename_component(real ${jar} REALPATH)
  get_filename_component(name ${real} NAME)
  set(coordinates "")
  file(GLOB_RECURSE entries LIST_DIRECTORIES false /usr/share/maven-repo/*/${name})
  foreach(entry IN LISTS entries)
    file(RELATIVE_PATH relative /usr/share/maven-repo ${entry})
    if(relative MATCHES "^(.+)/([^/]+)/([^/]+)/[^/]+$")
      string(REPLACE "/" "." group ${CMAKE_MATCH_1})
      set(coordinates "${group}:${CMAKE_MATCH_2}:${CMAKE_MATCH_3}")
      break()
    endif()
  endforeach()
  set(${out} "${coordinates}" PARENT_SCOPE)
endfunction()

#   tovik_add_javadoc_jar(<target> ARTIFACT <name> SOURCES <java file>... [CLASS_PATH <jar file>...]
#                         [DEPENDS <target>...])
#
# Builds and installs ${TOVIK_JAR_DIR}/dist/<name>-${PROJECT_VERSION}-javadoc.jar, the
# documentation of the sources (javadoc -Xdoclint:all; the CTest entry packaging.javadoc
# fails on any warning).
function(tovik_add_javadoc_jar target)
  cmake_parse_arguments(PARSE_ARGV 1 JD "" "ARTIFACT" "SOURCES;CLASS_PATH;DEPENDS")
  set(output ${TOVIK_JAR_DIR}/dist/${JD_ARTIFACT}-${PROJECT_VERSION}-javadoc.jar)
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/${target}.stage)
  set(class_path_option "")
  if(JD_CLASS_PATH)
    list(JOIN JD_CLASS_PATH ":" class_path)
    set(class_path_option --class-path ${class_path})
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${Java_JAVADOC_EXECUTABLE} -quiet -Xdoclint:all --release 17 -encoding UTF-8
      -doctitle "${JD_ARTIFACT} ${PROJECT_VERSION}" ${class_path_option} -d ${stage} ${JD_SOURCES}
    COMMAND ${Java_JAR_EXECUTABLE} --create --file ${output} -C ${stage} .
    DEPENDS ${JD_SOURCES} ${JD_DEPENDS}
    COMMENT "Building dist/${JD_ARTIFACT}-${PROJECT_VERSION}-javadoc.jar"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
  install(FILES ${output} DESTINATION ${TOVIK_INSTALL_JAVADIR})
endfunction()

# bin/tovik for the installed tree: finds java (JAVA_HOME, PATH, else the build's), the jars and
# the libraries relative to its own location, so the prefix can move. JARS are file names in
# the installed share/java/.
function(tovik_install_launcher)
  cmake_parse_arguments(PARSE_ARGV 0 L "" "MAIN_CLASS" "JARS")
  file(RELATIVE_PATH launcher_to_java
    /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${TOVIK_INSTALL_JAVADIR})
  file(RELATIVE_PATH launcher_to_lib
    /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CMAKE_INSTALL_LIBDIR})
  set(class_path "")
  foreach(jar IN LISTS L_JARS)
    list(APPEND class_path "\$here/${launcher_to_java}/${jar}")
  endforeach()
  list(JOIN class_path ":" TOVIK_LAUNCHER_CLASS_PATH)
  set(TOVIK_LAUNCHER_LIBRARY_PATH "\$here/${launcher_to_lib}")
  set(TOVIK_LAUNCHER_MAIN_CLASS ${L_MAIN_CLASS})
  set(TOVIK_LAUNCHER_JAVA ${Java_JAVA_EXECUTABLE})
  set(launcher ${CMAKE_CURRENT_BINARY_DIR}/installed-launcher/tovik)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/tovik-installed.in ${launcher} @ONLY)
  install(PROGRAMS ${launcher} DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
