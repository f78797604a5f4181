#pragma once

// What the shared library exports: the library is built with hidden visibility,
// so only declarations marked SHEETWRIGHT_API are reachable from outside it.

#if defined(SHEETWRIGHT_BUILDING_LIBRARY)
#define SHEETWRIGHT_API __attribute__((visibility("default")))
#else
#define SHEETWRIGHT_API
#endif
