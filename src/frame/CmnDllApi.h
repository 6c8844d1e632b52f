// Export decoration for the library's classes and functions.
#pragma once

#if defined(CMNDLL_STATIC)
#define CMNDLL_API
#elif defined(CMNDLL_BUILDING_DLL)
#define CMNDLL_API __declspec(dllexport)
#else
#define CMNDLL_API __declspec(dllimport)
#endif

#define CMNDLL_EXTERN_C extern "C"
