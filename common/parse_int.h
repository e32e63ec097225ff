// The decimal parser behind every numeric edit field.
#pragma once
#include <stdint.h>

// C atoi in the C locale; out-of-range values are held at INT32_MIN / INT32_MAX.
int32_t ParseInt(const char* text);
