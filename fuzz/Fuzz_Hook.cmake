# Given as CMAKE_PROJECT_INCLUDE (scripts/fuzz.sh): with ORDEXIA_FUZZ on,
# joins the fuzz targets to the main project once all of its own folders
# are configured, unless the project already added fuzz/ itself.
function(ordexia_add_fuzz_targets)
  if(ORDEXIA_FUZZ AND NOT TARGET lzrw_fuzzer)
    include(${CMAKE_SOURCE_DIR}/fuzz/CMakeLists.txt)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL ordexia_add_fuzz_targets)
