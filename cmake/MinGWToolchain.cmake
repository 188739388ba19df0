# SPDX-License-Identifier: MIT
# Cross compilation for Windows x64 with Debian's MinGW-w64 (the POSIX-thread variant, which
# has std::thread). Used for Qt, GoogleTest and our own Windows build alike.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(VANTREL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTREL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW root and the prefixes given in
# CMAKE_PREFIX_PATH / CMAKE_FIND_ROOT_PATH (the cross-built Qt); programs from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${VANTREL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
