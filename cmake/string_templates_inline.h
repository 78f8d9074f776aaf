// Forced into every source of the shipped DLLs (see win32.cmake). libstdc++ declares its
// std::string and std::wstring members as instantiated in the library, so a DLL that uses a
// few of them links the library's whole string objects (and, through them, its exception
// classes). Its own switch for that, also used by its debug mode, makes each source compile
// the members it uses instead; the link then keeps only those.
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
