// The one size of every path buffer in the program.
#pragma once

enum { kPathSize = 260 };
