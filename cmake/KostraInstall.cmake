# The manual pages, what is installed beside the programs (the example graphs, the licence, the
# changelog), and the Debian package.
#
# Every page man/<program>.1.in is configured into <build>/man/<program>.1 (its header carries the
# project's version) and compressed into <program>.1.gz, the form Debian installs manual pages in.
# A page is installed when its program is part of this build; the programs install themselves
# where they are defined. KOSTRA_PROGRAMS lists the programs this build installs, for the tests.

file(GLOB man_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.1.in)
set(KOSTRA_PROGRAMS)
foreach(source IN LISTS man_sources)
  get_filename_component(page ${source} NAME_WLE)
  string(REGEX REPLACE "\\.1$" "" program ${page})
  set(man_page ${PROJECT_BINARY_DIR}/man/${page})
  configure_file(${source} ${man_page} @ONLY)
  file(ARCHIVE_CREATE OUTPUT ${man_page}.gz PATHS ${man_page}
       FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
  if(TARGET ${program})
    install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    list(APPEND KOSTRA_PROGRAMS ${program})
  endif()
endforeach()

# The example graphs the manual pages and the documentation use.
file(GLOB example_graphs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.txt)
install(FILES ${example_graphs} DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# The licence and the changelog, where Debian keeps them: share/doc/kostra/copyright and
# share/doc/kostra/changelog.gz.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
configure_file(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_BINARY_DIR}/changelog COPYONLY)
file(ARCHIVE_CREATE OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz PATHS ${PROJECT_BINARY_DIR}/changelog
     FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# cpack -G DEB, run in the build directory, packages the same installation under /usr.
set(KOSTRA_MAINTAINER "kostra maintainers <maintainers@users.noreply.c-seed-d16500d2.example>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kostra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KOSTRA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "spanning forests, independent loops and cuts of a weighted graph")
set(CPACK_PACKAGE_DESCRIPTION
    "kostra reads a weighted graph from a file or from the keyboard and, as
chosen from a menu, marks a spanning forest (grown from the node of
highest degree, or a minimum one by the Boruvka-Kruskal or the
Jarnik-Prim method, narrating every step if asked), or finds the
independent loop of a non-tree edge or the independent cut of a tree
edge, with the orientation of every edge. It talks Czech without
diacritics.

kostra-dot draws the result of a run as a Graphviz graph.")
if(TARGET kostra-matice)
  string(APPEND CPACK_PACKAGE_DESCRIPTION
         "\nkostra-matice writes the fundamental loop or cut matrix of a forest.")
endif()
if(KOSTRA_PAGE_INSTALLED)
  string(APPEND CPACK_PACKAGE_DESCRIPTION
         "\n/usr/share/kostra/kostra.html runs kostra itself in a web browser, offline.")
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS graphviz)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git" "/build/" "/bench/out/" "/fuzz/corpus-work/")
include(CPack)
