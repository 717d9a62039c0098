# The native tests built for 32-bit x86 with the host's own compiler (g++ -m32): the particle
# arithmetic, the MMX converters and the 4-byte-pointer record layout as 32-bit code runs
# them, on any Linux machine. Where the kernel runs no 32-bit program, the tests run under
# qemu's user-mode emulator (qemu-i386), which gives the results a real 32-bit x86 does.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)

# Asked once, by the same probe that the test command asks: the exit status of a tiny
# 32-bit program that the kernel either starts or refuses.
if(NOT DEFINED CACHE{GLINTIX_I386_EMULATOR})
  execute_process(
    COMMAND bash -c "source '${CMAKE_CURRENT_LIST_DIR}/../scripts/common.sh' && i386_refused"
    RESULT_VARIABLE refused OUTPUT_VARIABLE why OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(refused EQUAL 0)
    set(emulator qemu-i386)
  elseif(refused EQUAL 1)
    set(emulator "")
  else()
    message(FATAL_ERROR "${why}")
  endif()
  set(GLINTIX_I386_EMULATOR "${emulator}" CACHE STRING
      "What runs the 32-bit tests: empty where the kernel runs them, else qemu-i386")
endif()
if(GLINTIX_I386_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GLINTIX_I386_EMULATOR})
endif()
