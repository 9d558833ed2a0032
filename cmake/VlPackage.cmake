# The installable package: the public headers, the component's static libraries behind one
# target VlText::vltext (the Lua host and the desktop window included), VlTextConfig.cmake with
# its version file, vltext.pc, and the vltext program. A project that adds this tree with add_subdirectory links VlText::vltext as well.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

add_library(vl_package INTERFACE)
set_target_properties(vl_package PROPERTIES EXPORT_NAME vltext)
target_link_libraries(vl_package INTERFACE vl_api vl_script vl_desktop)
target_include_directories(vl_package INTERFACE $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
                                                 $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_compile_features(vl_package INTERFACE cxx_std_20)
add_library(VlText::vltext ALIAS vl_package)

vl_link_closure(vl_package vl_package_libraries)
list(REMOVE_ITEM vl_package_libraries vl_package)

install(DIRECTORY include/vltext DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS vl_package ${vl_package_libraries} EXPORT VlTextTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS vltext RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(EXPORT VlTextTargets NAMESPACE VlText:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VlText)

# What the packaged libraries link from the system, found again by VlTextConfig.cmake for the
# projects that link the package: pkg-config modules by their module names, other imported
# targets by the package that defines them (this table; a new one needs its row).
set(vl_find_packages
  "SQLite::SQLite3=SQLite3=sqlite3"
  "nlohmann_json::nlohmann_json=nlohmann_json="
)
set(VL_PKG_MODULE_LIST)
set(VL_FIND_PACKAGE_LIST)
set(VL_PC_REQUIRES)
set(vl_system_deps)
foreach(lib IN LISTS vl_package_libraries)
  get_target_property(deps ${lib} VL_SYSTEM_DEPS)
  if(deps)
    list(APPEND vl_system_deps ${deps})
  endif()
endforeach()
list(REMOVE_DUPLICATES vl_system_deps)
foreach(dep IN LISTS vl_system_deps)
  if(dep MATCHES "^PkgConfig::(.+)$")
    set(prefix ${CMAKE_MATCH_1})
    string(APPEND VL_PKG_MODULE_LIST " \"${prefix}=${${prefix}_MODULE_NAME}\"")
    string(APPEND VL_PC_REQUIRES " ${${prefix}_MODULE_NAME}")
    continue()
  endif()
  set(row "")
  foreach(entry IN LISTS vl_find_packages)
    if(entry MATCHES "^${dep}=")
      set(row ${entry})
    endif()
  endforeach()
  if(NOT row)
    message(FATAL_ERROR "VlText's package does not know which package defines ${dep}: add its row to "
                        "vl_find_packages in cmake/VlPackage.cmake")
  endif()
  string(REPLACE "=" ";" row "${row}")
  list(GET row 1 package)
  list(LENGTH row n)
  string(APPEND VL_FIND_PACKAGE_LIST " ${package}")
  if(n GREATER 2)
    list(GET row 2 module)
    if(module)
      string(APPEND VL_PC_REQUIRES " ${module}")
    endif()
  endif()
endforeach()
set(VL_PC_LIBS)
foreach(lib IN LISTS vl_package_libraries)
  string(APPEND VL_PC_LIBS " -l${lib}")
endforeach()

configure_package_config_file(cmake/VlTextConfig.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/VlTextConfig.cmake
                              INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VlText)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VlTextConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
configure_file(cmake/vltext.pc.in ${CMAKE_CURRENT_BINARY_DIR}/vltext.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VlTextConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/VlTextConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VlText)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vltext.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
