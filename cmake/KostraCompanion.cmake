# kostra_companion(PROGRAM SOURCE...): a companion program of kostra under tools/PROGRAM. Its
# SOURCEs are a library of their own (PROGRAM with - as _, then _core), built on kostra's and
# linked by the program's main, PROGRAM.cpp, so that tests and the fuzz replay run them
# in-process. The program is built beside kostra, in the top of the build directory, so that
# `build/release/kostra ... | build/release/PROGRAM ...` works, and installed with it; its tests
# are tools/PROGRAM/tests/ in a build with tests.
function(kostra_companion program)
  string(REPLACE "-" "_" core ${program})
  set(core ${core}_core)
  add_library(${core} STATIC ${ARGN})
  target_include_directories(${core} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${core} PUBLIC kostra_core)

  add_executable(${program} ${program}.cpp)
  target_link_libraries(${program} PRIVATE ${core})
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
  install(TARGETS ${program})

  if(KOSTRA_TESTS)
    add_subdirectory(tests)
  endif()
endfunction()
