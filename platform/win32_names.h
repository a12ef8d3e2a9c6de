// Windows' headers name their ANSI / wide function pairs through macros
// (CreateWindow, DrawText) that would rename this program's methods of the
// same names. A header declaring such a method includes this first: on
// Windows it reads windows.h once, before the declaration, and drops those
// macros for the rest of the translation unit.
#pragma once

#ifdef _WIN32
#include <windows.h>
#undef CreateWindow
#undef DrawText
#endif
