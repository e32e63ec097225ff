// The decimal parser behind every numeric edit field.
#pragma once
#include <stdint.h>

// C atoi in the C locale, wrapping around in 32 bits instead of overflowing.
int32_t ParseInt(const char* text);
