# Cross build for 64-bit Windows: a test build only, never packaged. It runs the Windows
# tests under 64-bit Wine on machines whose kernel runs no 32-bit program, where 32-bit Wine
# cannot start. The product is the 32-bit DLL (i686-w64-mingw32.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine64-run)
