# The portable core built for Linux the way the shipped DLL is built (cmake/toolchain-mingw-i686.cmake,
# cmake/win32.cmake): 32-bit x86 code for a Pentium Pro (mingw-w64's i686 default: no SSE, x87
# arithmetic), optimised as the Release DLL, without position-independent code (a DLL's code is
# not), each function in its own section, std::string members compiled where used. Needs
# Debian's multilib compiler (g++-multilib); used by the reader benchmark (bench/run.sh).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(SQ_SHIPPED_FLAGS "-m32 -march=pentiumpro -mtune=generic -mfpmath=387 -fno-pie -ffunction-sections -fdata-sections")
set(CMAKE_C_FLAGS_INIT "${SQ_SHIPPED_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${SQ_SHIPPED_FLAGS} -include ${CMAKE_CURRENT_LIST_DIR}/string_templates_inline.h -D_FILE_OFFSET_BITS=64")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -no-pie")
set(CMAKE_POSITION_INDEPENDENT_CODE OFF)
