#include "report/totals.h"

// Windows-1252's bytes 0x80 to 0x9F; 0 marks the five it leaves undefined.
static const uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

static void AppendUtf8(std::string* out, unsigned code) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// An undefined byte comes out as U+FFFD, as the Windows converter promises.
std::string Windows1252ToUtf8(const std::string& ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 4);
  for (unsigned char c : ansi) {
    unsigned code = c;
    if (c >= 0x80 && c <= 0x9F) code = kHigh[c - 0x80] ? kHigh[c - 0x80] : 0xFFFD;
    AppendUtf8(&out, code);
  }
  return out;
}

static int ByteOf(unsigned code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == code) return 0x80 + i;
  return -1;
}

std::string Utf8ToWindows1252(const std::string& utf8) {
  std::string out;
  size_t i = 0, n = utf8.size();
  while (i < n) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    unsigned code;
    size_t length;
    if (lead < 0x80) {
      code = lead;
      length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      code = lead & 0x1F;
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      code = lead & 0x0F;
      length = 3;
    } else {
      return utf8;
    }
    if (n - i < length) return utf8;
    for (size_t k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) return utf8;
      code = (code << 6) | (next & 0x3F);
    }
    if (length == 3 && code < 0x800) return utf8;  // overlong
    int byte = ByteOf(code);
    if (byte < 0) return utf8;
    out.push_back(static_cast<char>(byte));
    i += length;
  }
  return out;
}
