# cmake -DDESTINO=<file> -P TraeFruitMdb.cmake
# Fetches mdb-0.1.0.tgz with `npm pack` and keeps its package/test/fruit.mdb as DESTINO.
# Without npm or the registry it only warns: the build goes on, the step runs again at
# the next build, and the tests that need the file fail saying it is missing.
if(EXISTS "${DESTINO}")
  return()
endif()
get_filename_component(carpeta "${DESTINO}" DIRECTORY)
set(trabajo "${carpeta}/npm-mdb")
file(REMOVE_RECURSE "${trabajo}")
file(MAKE_DIRECTORY "${trabajo}")
find_program(NPM npm)
if(NOT NPM)
  message(WARNING "npm is not installed: fruit.mdb cannot be fetched")
  return()
endif()
execute_process(
  COMMAND "${NPM}" pack mdb@0.1.0
  WORKING_DIRECTORY "${trabajo}"
  RESULT_VARIABLE resultado
  OUTPUT_QUIET
  ERROR_VARIABLE errores
  TIMEOUT 300)
if(NOT resultado EQUAL 0 OR NOT EXISTS "${trabajo}/mdb-0.1.0.tgz")
  message(WARNING "npm pack mdb@0.1.0 failed (${resultado}): ${errores}")
  return()
endif()
file(ARCHIVE_EXTRACT INPUT "${trabajo}/mdb-0.1.0.tgz" DESTINATION "${trabajo}"
     PATTERNS package/test/fruit.mdb)
# The rename puts the whole file in place at once.
file(RENAME "${trabajo}/package/test/fruit.mdb" "${DESTINO}")
file(REMOVE_RECURSE "${trabajo}")
