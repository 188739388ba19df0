# SPDX-License-Identifier: MIT
# vantrel_add_library(NAME SOURCES... [LIBS...] [STRICT]): one of our static libraries, its
# headers included from the repository's root, compiled with our warnings (STRICT: the strict
# set of the Qt-free libraries).
function(vantrel_add_library name)
  cmake_parse_arguments(L "STRICT" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(L_LIBS)
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  endif()
  if(L_STRICT)
    target_compile_options(${name} PRIVATE ${VANTREL_STRICT_WARNINGS})
  else()
    target_compile_options(${name} PRIVATE ${VANTREL_WARNINGS})
  endif()
endfunction()
