# The web preset's compiler: emscripten's, found on the PATH (Debian's package emscripten), and npm,
# which installs Graphviz compiled to WebAssembly (package.json). Without either the page is not
# built, and configuring says so in one line.
find_program(KOSTRA_EMXX em++)
find_program(KOSTRA_EM_CONFIG em-config)
find_program(KOSTRA_NPM npm)
set(KOSTRA_EMSCRIPTEN OFF)
if(KOSTRA_EMXX AND KOSTRA_EM_CONFIG AND KOSTRA_NPM)
  execute_process(COMMAND ${KOSTRA_EM_CONFIG} EMSCRIPTEN_ROOT OUTPUT_VARIABLE root
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  set(toolchain ${root}/cmake/Modules/Platform/Emscripten.cmake)
  if(NOT failed AND EXISTS ${toolchain})
    set(CMAKE_TOOLCHAIN_FILE ${toolchain} CACHE FILEPATH "emscripten's CMake toolchain")
    set(KOSTRA_EMSCRIPTEN ON)
    # A build directory configured before emscripten was here knows the system without it: it
    # is determined again, now with emscripten's toolchain.
    if(KOSTRA_WEB_WITHOUT_EMSCRIPTEN)
      file(REMOVE_RECURSE ${CMAKE_BINARY_DIR}/CMakeFiles/${CMAKE_VERSION})
      unset(KOSTRA_WEB_WITHOUT_EMSCRIPTEN CACHE)
    endif()
  endif()
endif()
if(NOT KOSTRA_EMSCRIPTEN)
  set(KOSTRA_WEB_WITHOUT_EMSCRIPTEN ON CACHE INTERNAL "")
  if(KOSTRA_EMXX AND NOT KOSTRA_NPM)
    message(STATUS "kostra.html is not built: npm is missing (Debian: apt-get install npm)")
  else()
    message(STATUS "kostra.html is not built: emscripten is missing (Debian: apt-get install emscripten)")
  endif()
endif()
