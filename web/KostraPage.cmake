# The browser page in a native build: installed as share/kostra/kostra.html (and so in the Debian
# package) and tested in Chromium against this build's kostra. The page is the one named by
# KOSTRA_PAGE, or else the web preset's, build/web/kostra.html: built with the programs when
# emscripten and npm are here, and otherwise taken as it was built before. Without either, the programs
# are installed without it, and the page's test reports itself skipped.
set(KOSTRA_PAGE "" CACHE FILEPATH "An already built kostra.html to install instead of building one")
set(KOSTRA_PAGE_INSTALLED OFF)
if(KOSTRA_PAGE)
  set(page ${KOSTRA_PAGE})
  set(KOSTRA_PAGE_INSTALLED ON)
else()
  set(page ${PROJECT_SOURCE_DIR}/build/web/kostra.html)
  find_program(KOSTRA_EMXX em++)
  find_program(KOSTRA_NPM npm)
  if(KOSTRA_EMXX AND KOSTRA_NPM)
    add_custom_target(kostra-page ALL
                      COMMAND ${CMAKE_COMMAND} -P ${CMAKE_CURRENT_LIST_DIR}/BuildPage.cmake
                      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                      COMMENT "Building kostra.html with the web preset" USES_TERMINAL)
    set(KOSTRA_PAGE_INSTALLED ON)
  elseif(EXISTS ${page})
    set(KOSTRA_PAGE_INSTALLED ON)
  else()
    message(STATUS "kostra.html is not installed: emscripten or npm is missing and build/web has no page")
  endif()
endif()
# The licences of what the page builds in beside kostra (Graphviz, Viz.js, Expat) are installed
# with it, beside kostra's own: share/doc/kostra/page-licences/.
if(KOSTRA_PAGE_INSTALLED)
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_DATADIR}/kostra)
  file(GLOB page_licences CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/licences/*.txt)
  install(FILES ${page_licences} DESTINATION ${CMAKE_INSTALL_DOCDIR}/page-licences)
endif()

if(KOSTRA_TESTS)
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  # Fewer random graphs under the sanitizers, which make every native run slower.
  if(KOSTRA_SANITIZE)
    set(random_graphs 10)
  else()
    set(random_graphs 40)
  endif()
  add_test(NAME web.page
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/tests/test_page.py
                   $<TARGET_FILE:kostra> ${page} ${PROJECT_SOURCE_DIR}/examples 20261209
                   ${random_graphs})
  set_tests_properties(web.page PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
                       ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
endif()
