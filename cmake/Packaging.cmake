# What `cmake --install` lays out, and the jars that carry their native libraries.
#
#   <prefix>/lib/                 libTovikApi4J.so, libTovikPlatform.so, libTovikProviderSim.so
#                                 (run path $ORIGIN: they find each other wherever the prefix is)
#   <prefix>/include/TovikApi4J/  headers of the exported native classes and what they include
#   <prefix>/share/java/          tovik-api.jar, tovik-sim.jar (each carrying its natives),
#                                 tovik-tool.jar
#   <prefix>/bin/tovik            the command-line tool, relocatable with the prefix
#
#   tovik_add_native_jar(<target> JAR <add_jar target> LIBRARIES <library target>...)
#
# Builds ${TOVIK_JAR_DIR}/dist/<jar name>: the jar of the add_jar target with the files of the
# library targets added under native/${TOVIK_NATIVE_PLATFORM}/. The jar's own loader takes
# them from there when System.loadLibrary finds nothing. The target's JAR_FILE property names
# the result. The build tree's jars stay without natives: the build's lib/ serves them.
#
# Included by every folder that installs something (it sets variables of the folder's scope).

include(GNUInstallDirs)

set(TOVIK_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/TovikApi4J)
set(TOVIK_INSTALL_JAVADIR ${CMAKE_INSTALL_DATADIR}/java)

# <os>-<arch> as the jars' loaders spell it (see NativeLibraryLoader in java/api and java/sim).
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

# The installed libraries find each other next to themselves.
function(tovik_install_library target)
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "\$ORIGIN")
  install(TARGETS ${target}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
endfunction()

function(tovik_add_native_jar target)
  cmake_parse_arguments(PARSE_ARGV 1 NJ "" "JAR" "LIBRARIES")
  if(NOT NJ_JAR OR NOT NJ_LIBRARIES)
    message(FATAL_ERROR "tovik_add_native_jar(${target}): JAR and LIBRARIES are required")
  endif()
  get_target_property(jar_file ${NJ_JAR} JAR_FILE)
  get_filename_component(jar_name ${jar_file} NAME)
  set(output ${TOVIK_JAR_DIR}/dist/${jar_name})
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/${target}.stage)
  set(native_dir native/${TOVIK_NATIVE_PLATFORM})

  set(library_files "")
  foreach(library IN LISTS NJ_LIBRARIES)
    list(APPEND library_files $<TARGET_FILE:${library}>)
  endforeach()

  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/${native_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${library_files} ${stage}/${native_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${jar_file} ${output}
    COMMAND ${Java_JAR_EXECUTABLE} uf ${output} -C ${stage} native
    DEPENDS ${jar_file} ${NJ_LIBRARIES}
    COMMENT "Adding native libraries to ${jar_name}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
  add_dependencies(${target} ${NJ_JAR})
  set_target_properties(${target} PROPERTIES JAR_FILE ${output})
endfunction()

# bin/tovik for the installed tree: finds java (JAVA_HOME, PATH, else the build's), the jars
# and the libraries relative to its own location, so the prefix can move.
function(tovik_install_launcher)
  cmake_parse_arguments(PARSE_ARGV 0 L "" "MAIN_CLASS" "JARS")
  file(RELATIVE_PATH launcher_to_java
    /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${TOVIK_INSTALL_JAVADIR})
  file(RELATIVE_PATH launcher_to_lib
    /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CMAKE_INSTALL_LIBDIR})
  set(class_path "")
  foreach(jar IN LISTS L_JARS)
    if(IS_ABSOLUTE ${jar})
      list(APPEND class_path "${jar}")
    else()
      list(APPEND class_path "\$here/${launcher_to_java}/${jar}")
    endif()
  endforeach()
  list(JOIN class_path ":" TOVIK_LAUNCHER_CLASS_PATH)
  set(TOVIK_LAUNCHER_LIBRARY_PATH "\$here/${launcher_to_lib}")
  set(TOVIK_LAUNCHER_MAIN_CLASS ${L_MAIN_CLASS})
  set(TOVIK_LAUNCHER_JAVA ${Java_JAVA_EXECUTABLE})
  set(launcher ${CMAKE_CURRENT_BINARY_DIR}/installed-launcher/tovik)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/tovik-installed.in ${launcher} @ONLY)
  install(PROGRAMS ${launcher} DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
