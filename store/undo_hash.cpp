#include "store/undo_hash.h"

#include <string.h>

static const uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
static const uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
static const uint64_t kPrime3 = 0x165667B19E3779F9ull;
static const uint64_t kPrime4 = 0x85EBCA77C2B2AE63ull;
static const uint64_t kPrime5 = 0x27D4EB2F165667C5ull;

static uint64_t RotateLeft(uint64_t value, int bits) { return (value << bits) | (value >> (64 - bits)); }

// Little-endian whatever the machine, so the history reads the same everywhere.
static uint64_t Read64(const unsigned char* p) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  uint64_t value;  // one load: the byte loop below is not always seen as one
  memcpy(&value, p, sizeof value);
  return value;
#else
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | p[i];
  return value;
#endif
}

static uint32_t Read32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

static uint64_t Round(uint64_t lane, uint64_t input) {
  lane += input * kPrime2;
  return RotateLeft(lane, 31) * kPrime1;
}

static uint64_t MergeRound(uint64_t hash, uint64_t lane) {
  hash ^= Round(0, lane);
  return hash * kPrime1 + kPrime4;
}

static void AddStripe(UndoHash& hash, const unsigned char* stripe) {
  for (int i = 0; i < 4; ++i) hash.lanes[i] = Round(hash.lanes[i], Read64(stripe + 8 * i));
}

void StartUndoHash(UndoHash& hash) {
  hash.lanes[0] = kPrime1 + kPrime2;
  hash.lanes[1] = kPrime2;
  hash.lanes[2] = 0;
  hash.lanes[3] = 0 - kPrime1;
  hash.total = 0;
  hash.pendingSize = 0;
}

void AddToUndoHash(UndoHash& hash, const void* data, size_t size) {
  const unsigned char* p = static_cast<const unsigned char*>(data);
  hash.total += size;
  if (hash.pendingSize > 0) {
    size_t taken = 32 - hash.pendingSize < size ? 32 - hash.pendingSize : size;
    memcpy(hash.pending + hash.pendingSize, p, taken);
    hash.pendingSize += taken;
    p += taken;
    size -= taken;
    if (hash.pendingSize < 32) return;
    AddStripe(hash, hash.pending);
    hash.pendingSize = 0;
  }
  // The lanes in locals: through `hash` every stripe would be stored and
  // loaded again, as the bytes might alias it. Sheets are hashed whole.
  uint64_t v0 = hash.lanes[0], v1 = hash.lanes[1], v2 = hash.lanes[2], v3 = hash.lanes[3];
  for (; size >= 32; p += 32, size -= 32) {
    v0 = Round(v0, Read64(p));
    v1 = Round(v1, Read64(p + 8));
    v2 = Round(v2, Read64(p + 16));
    v3 = Round(v3, Read64(p + 24));
  }
  hash.lanes[0] = v0;
  hash.lanes[1] = v1;
  hash.lanes[2] = v2;
  hash.lanes[3] = v3;
  memcpy(hash.pending, p, size);
  hash.pendingSize = size;
}

uint64_t UndoHashValue(const UndoHash& hash) {
  const uint64_t* v = hash.lanes;
  uint64_t h;
  if (hash.total >= 32) {
    h = RotateLeft(v[0], 1) + RotateLeft(v[1], 7) + RotateLeft(v[2], 12) + RotateLeft(v[3], 18);
    for (int i = 0; i < 4; ++i) h = MergeRound(h, v[i]);
  } else {
    h = kPrime5;
  }
  h += hash.total;
  const unsigned char* p = hash.pending;
  size_t left = hash.pendingSize;
  for (; left >= 8; p += 8, left -= 8) h = RotateLeft(h ^ Round(0, Read64(p)), 27) * kPrime1 + kPrime4;
  if (left >= 4) {
    h = RotateLeft(h ^ (static_cast<uint64_t>(Read32(p)) * kPrime1), 23) * kPrime2 + kPrime3;
    p += 4;
    left -= 4;
  }
  for (; left > 0; ++p, --left) h = RotateLeft(h ^ (*p * kPrime5), 11) * kPrime1;
  h ^= h >> 33;
  h *= kPrime2;
  h ^= h >> 29;
  h *= kPrime3;
  h ^= h >> 32;
  return h;
}

uint64_t UndoHashOf(const void* data, size_t size) {
  UndoHash hash;
  StartUndoHash(hash);
  AddToUndoHash(hash, data, size);
  return UndoHashValue(hash);
}
