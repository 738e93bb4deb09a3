# Builds the browser page with the web preset (configured first when it is not yet), from a native
# build: cmake -P web/BuildPage.cmake, in the source tree.
if(NOT EXISTS ${CMAKE_CURRENT_LIST_DIR}/../build/web/CMakeCache.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} --preset web OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
# The directory, not the build preset, whose own job count would override the calling build's.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${CMAKE_CURRENT_LIST_DIR}/../build/web
                COMMAND_ERROR_IS_FATAL ANY)
