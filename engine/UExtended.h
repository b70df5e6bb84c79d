#pragma once

// The 80-bit extended format in which the calculators evaluate every formula,
// chosen once for the whole engine. The x87 computes it where long double is
// that format; everywhere else the exact emulation does, and so it does on
// Windows, whose threads start at 53-bit x87 precision and whose DLLs may change
// it behind our back. Defining LEVORA_SOFT_EXTENDED forces the emulation.

#include <cfloat>

#if defined(LEVORA_SOFT_EXTENDED) || defined(_WIN32) ||                                            \
    !(defined(__x86_64__) || defined(__i386__)) || LDBL_MANT_DIG != 64
#include "USoftExtended.h"
using Extended = TSoftExtended;
#else
#include "UNativeExtended.h"
using Extended = TNativeExtended;
#endif
