include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

# vl_library(NAME DEPS dep...): one static library per src/ folder, built from every .cpp in it.
# Dependencies are declared here and nowhere else, so the layering stays visible in one place; each
# must be a layer this one may use (cmake/Layers.cmake), declared before it.
#
# A library sees only its own headers and those of its dependencies, theirs included: its include
# path is a folder of links to exactly those src/ folders, so an #include that reaches up or
# sideways does not compile.
function(vl_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;SYSTEM" ${ARGN})
  if(NOT name IN_LIST VL_LAYERS)
    message(FATAL_ERROR "src/${name} is no layer of cmake/Layers.cmake")
  endif()
  vl_layer_closure(allowed ${name})
  set(visible ${name})
  set(deps)
  foreach(d IN LISTS ARG_DEPS)
    if(NOT d IN_LIST allowed)
      message(FATAL_ERROR "src/${name} may not use src/${d}: cmake/Layers.cmake lets it use ${allowed}")
    endif()
    get_property(seen GLOBAL PROPERTY VL_VISIBLE_${d})
    if(NOT seen)
      message(FATAL_ERROR "src/${d} must be added before src/${name}, which uses it")
    endif()
    list(APPEND visible ${seen})
    list(APPEND deps vl_${d})
  endforeach()
  list(REMOVE_DUPLICATES visible)
  set_property(GLOBAL PROPERTY VL_VISIBLE_${name} ${visible})

  set(includes ${CMAKE_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${includes})
  file(GLOB stale LIST_DIRECTORIES true ${includes}/*)
  foreach(link IN LISTS stale)
    if(IS_SYMLINK ${link})
      file(REMOVE ${link})  # the link only, never the folder it names
    endif()
  endforeach()
  foreach(layer IN LISTS visible)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${includes}/${layer} SYMBOLIC)
  endforeach()

  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(vl_${name} STATIC ${sources})
    target_include_directories(vl_${name} PUBLIC ${includes})
    target_link_libraries(vl_${name} PUBLIC ${deps} ${ARG_SYSTEM})
  else()
    # A folder whose code is still headers only.
    add_library(vl_${name} INTERFACE)
    target_include_directories(vl_${name} INTERFACE ${includes})
    target_link_libraries(vl_${name} INTERFACE ${deps} ${ARG_SYSTEM})
  endif()
endfunction()

# vl_test(NAME DEPS dep...): one GoogleTest binary per tests/ folder.
function(vl_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    # A folder whose tests are not written yet; an executable without sources cannot be made.
    return()
  endif()
  add_executable(test_${name} ${sources})
  set(deps)
  foreach(d IN LISTS ARG_DEPS)
    list(APPEND deps vl_${d})
  endforeach()
  target_link_libraries(test_${name} PRIVATE ${deps} GTest::gtest GTest::gtest_main)
  target_compile_definitions(test_${name} PRIVATE VL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES LABELS ${name})
endfunction()
