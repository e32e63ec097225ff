// Bounded access to the 64-byte description fields of the data files.
#pragma once
#include <stddef.h>
#include "store/time_record.h"

// Characters before the NUL, never more than 63: a field without a NUL reads
// as its first 63 characters.
size_t DescriptionLength(const char* field);
// Copies a field (or any text) into a 64-byte field as at most 63 characters
// and a NUL, zero-filling the rest.
void CopyDescription(char (&to)[kDescriptionSize], const char* from);
// Zeroes every byte after the NUL of each of the record's three texts; a text
// without a NUL in its field is left as it is.
void ClearTextTails(TimeRecord& record);
void ClearTextTails(TimeRecord* records, int32_t count);
