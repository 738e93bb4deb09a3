# Builds the browser page with the web preset, from a native build: cmake -P web/BuildPage.cmake,
# in the source tree. Configuring again first takes a build directory of the web preset that was
# configured before emscripten was here.
execute_process(COMMAND ${CMAKE_COMMAND} --preset web OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# A build of its own, apart from the make that runs this script.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=MFLAGS --unset=MAKELEVEL
                        ${CMAKE_COMMAND} --build --preset web
                COMMAND_ERROR_IS_FATAL ANY)
