# SPDX-License-Identifier: MIT
# Compiler and linker hardening of the Release build, the one that is packaged: checked string
# and memory functions, stack protection, position-independent executables and a relocation
# table that is made read-only once the program is bound at start (full RELRO; on Windows
# address randomisation and data execution prevention). The sanitizer and fuzz builds check
# more on their own and stay as they are.
option(VANTREL_HARDEN "Harden the Release build (fortify, stack protector, PIE, full RELRO)" ON)

if(VANTREL_HARDEN AND CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT VANTREL_SANITIZE
   AND NOT VANTREL_FUZZ)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  # -U first: a compiler that defines its own level would otherwise warn of a redefinition.
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong)
  if(WIN32)
    # The PE counterparts: a relocatable image anywhere in the 64-bit space, data never run;
    # MinGW's checks live in libssp, which the driver links when it is told of the protector.
    add_link_options(-fstack-protector-strong -Wl,--dynamicbase,--high-entropy-va,--nxcompat)
  else()
    add_link_options(-Wl,-z,relro,-z,now)
  endif()
endif()
