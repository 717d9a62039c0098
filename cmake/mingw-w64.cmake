# What the two mingw-w64 toolchain files share. They set CMAKE_SYSTEM_PROCESSOR (i686 or
# x86_64) and the program that runs the target's tests under Wine, then include this.
set(CMAKE_SYSTEM_NAME Windows)
set(glintix_triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${glintix_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${glintix_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${glintix_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${glintix_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Nothing beyond the system DLLs: no libgcc, libstdc++ or winpthread DLL beside ours.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
