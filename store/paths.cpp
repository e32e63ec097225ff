#include "store/paths.h"

char TimeSheetPath[kPathSize];
char DescriptionsPath[kPathSize];
char ExportPath[kPathSize];
