# The Windows shell around the core: COM server, window, registry, player messages, WinINet.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)

find_program(SQ_WIDL NAMES i686-w64-mingw32-widl widl REQUIRED)
set(SQ_WINE_IDL_DIR /usr/include/wine/wine/windows CACHE PATH "Folder with oaidl.idl and friends for widl")
set(SQ_WINE_TLB_DIR /usr/lib/i386-linux-gnu/wine/i386-windows CACHE PATH "Folder with stdole2.tlb for widl")

# Compiles an IDL file into a header, a GUID definition file and (optionally) a type library.
function(sq_widl idl)
  cmake_parse_arguments(ARG "TLB" "" "DEPENDS" ${ARGN})
  get_filename_component(name ${idl} NAME_WE)
  set(out ${CMAKE_BINARY_DIR}/generated)
  set(outputs ${out}/${name}.h ${out}/${name}_i.c)
  set(tlb_args)
  if(ARG_TLB)
    list(APPEND outputs ${out}/${name}.tlb)
    set(tlb_args -t)
  endif()
  # widl writes the type library into its working folder, under the IDL's own name.
  file(MAKE_DIRECTORY ${out})
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${SQ_WIDL} --win32 -I${SQ_WINE_IDL_DIR} -I${CMAKE_SOURCE_DIR}/src/plugin -L${SQ_WINE_TLB_DIR}
            -h -H ${out}/${name}.h -u -U ${out}/${name}_i.c ${tlb_args} ${idl}
    WORKING_DIRECTORY ${out}
    DEPENDS ${idl} ${ARG_DEPENDS}
    COMMENT "widl ${name}.idl"
    VERBATIM)
endfunction()

sq_widl(${CMAKE_SOURCE_DIR}/src/plugin/kvo_winamp_gen.idl)
sq_widl(${CMAKE_SOURCE_DIR}/src/plugin/sonoquill_wa.idl TLB DEPENDS ${CMAKE_SOURCE_DIR}/src/plugin/kvo_winamp_gen.idl)

# Interface and class identifiers, for the component and for the programs that host it.
add_library(sq_guids STATIC
  ${CMAKE_BINARY_DIR}/generated/kvo_winamp_gen_i.c
  ${CMAKE_BINARY_DIR}/generated/sonoquill_wa_i.c)
target_include_directories(sq_guids PUBLIC ${CMAKE_BINARY_DIR}/generated)
add_custom_target(sq_typelib DEPENDS ${CMAKE_BINARY_DIR}/generated/sonoquill_wa.tlb ${CMAKE_BINARY_DIR}/generated/sonoquill_wa.h)
add_dependencies(sq_guids sq_typelib)

set(CMAKE_RC_FLAGS "-F pe-i386 -I${CMAKE_BINARY_DIR}/generated -I${CMAKE_SOURCE_DIR}/src/plugin")

set(SQ_WIN_LIBS ole32 oleaut32 uuid user32 gdi32 advapi32 shell32 shlwapi wininet comctl32 comdlg32 version)

# The shipped code: each function and datum in a section of its own, so that a DLL's link keeps
# only what it uses; std::string members compiled where they are used rather than linked whole
# from the library (cmake/string_templates_inline.h); line tables for the debug files.
set(SQ_SHIPPED_COMPILE_OPTIONS -g1 -ffunction-sections -fdata-sections
    "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${CMAKE_SOURCE_DIR}/cmake/string_templates_inline.h>")
target_compile_options(sonoquill_core PRIVATE ${SQ_SHIPPED_COMPILE_OPTIONS})
target_compile_options(sq_guids PRIVATE ${SQ_SHIPPED_COMPILE_OPTIONS})

# A DLL as it ships (and as the installer takes it): the code it uses, the small runtime error
# paths of src/common/win32_lean_runtime.cpp, and no symbols or debug information inside. Those go to
# <dll>.debug beside it, which debuggers find through the DLL's .gnu_debuglink, for crash
# analysis; the .debug files are not shipped.
find_program(SQ_OBJCOPY NAMES i686-w64-mingw32-objcopy REQUIRED)
function(sq_shipped_dll target)
  target_compile_options(${target} PRIVATE ${SQ_SHIPPED_COMPILE_OPTIONS})
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src/common/win32_lean_runtime.cpp)
  target_link_options(${target} PRIVATE -Wl,--gc-sections)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${SQ_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${SQ_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()

# Everything of the DLL but its entry points, so that Windows tests can link the shell directly.
add_library(sonoquill_shell STATIC)
target_include_directories(sonoquill_shell PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(sonoquill_shell PUBLIC sonoquill_core sq_guids ${SQ_WIN_LIBS} PRIVATE sq_warnings)
target_compile_options(sonoquill_shell PRIVATE ${SQ_SHIPPED_COMPILE_OPTIONS})
add_dependencies(sonoquill_shell sq_typelib)

add_library(Sonoquill_WA SHARED)
set_target_properties(Sonoquill_WA PROPERTIES PREFIX "" OUTPUT_NAME Sonoquill_WA)
target_link_libraries(Sonoquill_WA PRIVATE $<LINK_LIBRARY:WHOLE_ARCHIVE,sonoquill_shell> sq_warnings)
target_link_options(Sonoquill_WA PRIVATE -Wl,--enable-stdcall-fixup)
sq_shipped_dll(Sonoquill_WA)
