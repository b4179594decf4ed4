# The virtual provider's out-of-process mode (Windows builds only), included
# from sim/CMakeLists.txt after the in-process DLL TovikProviderSim:
#
#   TovikProviderServer.exe  the same provider sources as a LocalServer32 EXE
#                            whose objects are reached through proxies; it
#                            carries the two type libraries as resources
#   TovikSimRemote.dll       tovik/sim/VirtualProvider.h for test processes,
#                            implemented by calls of the server's control object
#
# The type libraries come from widl (Debian: wine64-tools), a build-machine
# tool: TovikApiProviderLib.tlb from the provider's TovikApiProviderLib.idl and
# TovikSimControl.tlb (with its C++ header) from win/TovikSimControl.idl.
find_program(TOVIK_WIDL widl NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(TOVIK_WINE_IDL_DIR oaidl.idl PATHS /usr/include/wine/wine/windows /usr/include/wine/windows
          NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)
# importlib("stdole2.tlb") needs Wine's stdole2.tlb; its content is the same
# for both widths.
find_path(TOVIK_STDOLE2_DIR stdole2.tlb
          PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/i386-linux-gnu/wine/i386-windows
                /usr/lib/wine/x86_64-windows /usr/lib/wine/i386-windows
          NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_tovik_widl_width --win64)
else()
  set(_tovik_widl_width --win32)
endif()

set(_tovik_gen ${CMAKE_CURRENT_BINARY_DIR}/win-generated)
file(MAKE_DIRECTORY ${_tovik_gen})
set(_tovik_provider_idl ${TOVIK_PROVIDER_IDL})
set(_tovik_control_idl ${CMAKE_CURRENT_SOURCE_DIR}/win/TovikSimControl.idl)
set(_tovik_widl ${TOVIK_WIDL} ${_tovik_widl_width} -I${TOVIK_WINE_IDL_DIR} -L${TOVIK_STDOLE2_DIR})
add_custom_command(OUTPUT ${_tovik_gen}/TovikApiProviderLib.tlb
  COMMAND ${_tovik_widl} -t -T ${_tovik_gen}/TovikApiProviderLib.tlb ${_tovik_provider_idl}
  DEPENDS ${_tovik_provider_idl}
  COMMENT "widl: TovikApiProviderLib.tlb" VERBATIM)
add_custom_command(OUTPUT ${_tovik_gen}/TovikSimControl.tlb ${_tovik_gen}/TovikSimControl.h
  COMMAND ${_tovik_widl} -t -T ${_tovik_gen}/TovikSimControl.tlb -h -H ${_tovik_gen}/TovikSimControl.h
          ${_tovik_control_idl}
  DEPENDS ${_tovik_control_idl}
  COMMENT "widl: TovikSimControl.tlb" VERBATIM)
add_custom_target(tovik_type_libraries DEPENDS
  ${_tovik_gen}/TovikApiProviderLib.tlb ${_tovik_gen}/TovikSimControl.tlb ${_tovik_gen}/TovikSimControl.h)

# The server's resources: both type libraries (LoadTypeLibEx on the EXE
# registers resource 1, "<exe>\2" the second).
# (file(CONFIGURE) rewrites it only when it changes: no relink on every configure.)
file(CONFIGURE OUTPUT ${_tovik_gen}/TovikProviderServer.rc
  CONTENT "1 TYPELIB \"${_tovik_gen}/TovikApiProviderLib.tlb\"\n2 TYPELIB \"${_tovik_gen}/TovikSimControl.tlb\"\n")
set_source_files_properties(${_tovik_gen}/TovikProviderServer.rc PROPERTIES
  OBJECT_DEPENDS "${_tovik_gen}/TovikApiProviderLib.tlb;${_tovik_gen}/TovikSimControl.tlb")

set(_tovik_server_sources
  ${CMAKE_CURRENT_SOURCE_DIR}/win/LocalServer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/win/ControlObject.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/win/ServerLifetime.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/win/ServerRegistration.cpp)
set(_tovik_remote_sources
  ${CMAKE_CURRENT_SOURCE_DIR}/win/RemoteControl.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/win/RemoteSession.cpp)
# Only the sources that use the control interface see the generated header.
set_source_files_properties(${_tovik_server_sources} ${_tovik_remote_sources} PROPERTIES
  INCLUDE_DIRECTORIES ${_tovik_gen}
  OBJECT_DEPENDS ${_tovik_gen}/TovikSimControl.h)

# The provider's own objects are the DLL's (compiled once; the EXE differs
# only in its entry point and registration), without the DLL's entry point.
add_executable(TovikProviderServer
  $<FILTER:$<TARGET_OBJECTS:TovikProviderSim>,EXCLUDE,/InprocServer\.cpp\.obj$>
  ${_tovik_server_sources}
  ${_tovik_gen}/TovikProviderServer.rc)
add_dependencies(TovikProviderServer tovik_type_libraries)
target_include_directories(TovikProviderServer PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/include ${CMAKE_CURRENT_SOURCE_DIR}/src)
target_compile_definitions(TovikProviderServer PRIVATE TOVIK_SIM_BUILD)
target_link_libraries(TovikProviderServer PRIVATE tovik_platform tovik_provider nlohmann_json::nlohmann_json Threads::Threads)

add_library(TovikSimRemote SHARED
  ${_tovik_remote_sources}
  ${CMAKE_CURRENT_SOURCE_DIR}/win/RegistryEntries.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/Text.cpp)
add_dependencies(TovikSimRemote tovik_type_libraries TovikProviderServer)
set_target_properties(TovikSimRemote PROPERTIES PREFIX "")
target_include_directories(TovikSimRemote
  PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
  PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
# It stands in for TovikProviderSim.dll's control surface: same exports.
target_compile_definitions(TovikSimRemote PRIVATE TOVIK_SIM_BUILD)
target_link_libraries(TovikSimRemote PUBLIC tovik_platform PRIVATE tovik_provider Threads::Threads)
