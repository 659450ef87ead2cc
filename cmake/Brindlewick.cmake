# One static library per source folder: every .cpp/.h directly in the folder.
# Globbing keeps parallel work on one folder from fighting over a file list.
function(bw_add_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources MATCHES "\\.cpp")
    # A folder with nothing built yet: a library that only passes its links on.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# One test executable per tests/<folder>/tst_*.cpp, registered with CTest.
# Every test runs on the offscreen platform with runtime, temp and cache
# folders of its own, so that programs run side by side share nothing.
function(bw_add_tests)
  cmake_parse_arguments(ARG "" "TIMEOUT" "LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" "_" prefix "${folder}")
  foreach(src ${tests})
    get_filename_component(base ${src} NAME_WE)
    set(target ${prefix}_${base})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} bw_testsupport Qt6::Test)
    add_test(NAME ${target} COMMAND ${target})
    set(home ${CMAKE_BINARY_DIR}/testenv/${target})
    file(MAKE_DIRECTORY ${home}/run ${home}/tmp ${home}/cache)
    file(CHMOD ${home}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    set_tests_properties(${target} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${home}/run;TMPDIR=${home}/tmp;XDG_CACHE_HOME=${home}/cache;BW_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endforeach()
endfunction()
