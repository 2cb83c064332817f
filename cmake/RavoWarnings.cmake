# ravo_target_defaults(<target>): the warning set and flags every target of
# ours gets. Third-party code never passes through here.
function(ravo_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror
                         $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor>)
endfunction()

# ravo_add_gtest(<name> SOURCES ... LIBS ...): one GoogleTest binary,
# registered with CTest test by test.
function(ravo_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  ravo_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main
                                        GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 120)
endfunction()

# ravo_export_check(<target> <symbols-file>): a test that compares the
# library's dynamic symbol table with the documented list.
function(ravo_export_check target list)
  add_test(NAME ${target}_exports
           COMMAND ${CMAKE_COMMAND} -DLIB=$<TARGET_FILE:${target}> -DLIST=${list}
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckExports.cmake)
endfunction()
