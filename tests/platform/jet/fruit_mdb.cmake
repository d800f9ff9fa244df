# A real Jet 4 file for the Jet provider's tests: test/fruit.mdb of the npm package
# mdb 0.1.0 (MIT), fetched once with the machine's npm into the build folder.
set(GRADIX_FRUIT_MDB ${CMAKE_BINARY_DIR}/fixtures/fruit.mdb)
add_custom_command(
  OUTPUT ${GRADIX_FRUIT_MDB}
  COMMAND ${CMAKE_COMMAND} -DDESTINO=${GRADIX_FRUIT_MDB} -P ${CMAKE_CURRENT_LIST_DIR}/TraeFruitMdb.cmake
  COMMENT "Fetching fruit.mdb (npm package mdb 0.1.0)"
  VERBATIM)
add_custom_target(fruit_mdb DEPENDS ${GRADIX_FRUIT_MDB})
if(TARGET jet_tests)
  add_dependencies(jet_tests fruit_mdb)
  target_compile_definitions(jet_tests PRIVATE GRADIX_FRUIT_MDB="${GRADIX_FRUIT_MDB}")
endif()
