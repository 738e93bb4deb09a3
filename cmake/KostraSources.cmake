# kostra_sources_of(TARGET OUT): the sources of TARGET as its own CMakeLists.txt lists them, as
# absolute paths, into OUT; for builds that compile a program's sources again in another way (the
# fuzz targets, the fault sweep's twins), so that every source list is written once.
function(kostra_sources_of target out)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  set(paths)
  foreach(src IN LISTS sources)
    cmake_path(ABSOLUTE_PATH src BASE_DIRECTORY ${dir} OUTPUT_VARIABLE path)
    list(APPEND paths ${path})
  endforeach()
  set(${out} ${paths} PARENT_SCOPE)
endfunction()
