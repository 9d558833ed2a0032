# The installable package: the public headers, the component's static libraries behind one
# target VlText::vltext, VlTextConfig.cmake with its version file, vltext.pc, and the vltext
# program. A project that adds this tree with add_subdirectory links VlText::vltext as well.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

add_library(vl_package INTERFACE)
set_target_properties(vl_package PROPERTIES EXPORT_NAME vltext)
target_link_libraries(vl_package INTERFACE vl_api)
target_include_directories(vl_package INTERFACE $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
                                                 $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_compile_features(vl_package INTERFACE cxx_std_20)
add_library(VlText::vltext ALIAS vl_package)

vl_link_closure(vl_api vl_package_libraries)

install(DIRECTORY include/vltext DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS vl_package ${vl_package_libraries} EXPORT VlTextTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS vltext RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(EXPORT VlTextTargets NAMESPACE VlText:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/VlText)

get_property(vl_pkg_modules GLOBAL PROPERTY VL_PKG_MODULES)
list(REMOVE_DUPLICATES vl_pkg_modules)
# Only the modules the packaged libraries use (not the Lua of the scripting host).
set(VL_PKG_MODULE_LIST)
set(VL_PC_REQUIRES)
foreach(entry IN LISTS vl_pkg_modules)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 prefix)
  list(GET pair 1 name)
  set(used OFF)
  foreach(lib IN LISTS vl_package_libraries)
    get_target_property(links ${lib} LINK_LIBRARIES)
    if("PkgConfig::${prefix}" IN_LIST links)
      set(used ON)
    endif()
  endforeach()
  if(used)
    string(APPEND VL_PKG_MODULE_LIST " \"${entry}\"")
    string(APPEND VL_PC_REQUIRES " ${name}")
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
