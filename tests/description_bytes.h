// Descriptions file bytes for tests: counts, 64-byte texts, whole lists.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "store/time_record.h"

namespace description_bytes {

inline std::string Count(int32_t count) {
  uint32_t value = static_cast<uint32_t>(count);
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (8 * i));
  return bytes;
}

inline std::string Text(const std::string& text) {
  std::string field(kDescriptionSize, '\0');
  field.replace(0, text.size(), text);
  return field;
}

// One list as stored: its count and its texts.
inline std::string Texts(const std::vector<std::string>& texts) {
  std::string bytes = Count(static_cast<int32_t>(texts.size()));
  for (const std::string& t : texts) bytes += Text(t);
  return bytes;
}

}  // namespace description_bytes
