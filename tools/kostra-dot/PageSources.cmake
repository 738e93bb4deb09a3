# kostra-dot's sources that make a page's drawing, data and words from a graph file and kostra's
# output, with nothing laid out: built into kostra-dot, and into kostra's browser page (web/),
# whose drawing Graphviz compiled to WebAssembly lays out.
set(kostra_dot_page_sources
    ${CMAKE_CURRENT_LIST_DIR}/Transcript.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Drawing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Replay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageData.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageRun.cpp)
