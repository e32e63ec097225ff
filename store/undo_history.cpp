#include "store/undo_history.h"

#include <string.h>

#include "store/undo_hash.h"

// Layout, all integers little-endian (docs/file-formats.md):
// "HWUNDO1\n", step count u32, done count u32, path length u32, the path,
// then each step: time i64, file u8, flags u8, name length u16, zero u32,
// prefix u64, middle u64, stored length u64, left size u64, left hash u64,
// head hash u64, last hash u64, the name, the stored bytes; at the end the
// XXH64 of everything before it.
namespace {
const char kMagic[8] = {'H', 'W', 'U', 'N', 'D', 'O', '1', '\n'};
enum { kHeaderSize = 20, kStepHeaderSize = 72, kTrailerSize = 8 };
enum { kFlagTouchesTask = 1, kFlagLastOpen = 2 };

void Put(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

struct Reader {
  const unsigned char* at;
  size_t left;

  bool Take(uint64_t& value, int bytes) {
    if (left < static_cast<size_t>(bytes)) return false;
    value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | at[i];
    at += bytes;
    left -= bytes;
    return true;
  }
  bool TakeBytes(std::string& out, uint64_t size) {
    if (size > left) return false;
    out.assign(reinterpret_cast<const char*>(at), static_cast<size_t>(size));
    at += size;
    left -= static_cast<size_t>(size);
    return true;
  }
};

uint64_t StepFileSize(const UndoStep& step) {
  return kStepHeaderSize + step.name.size() + step.stored.size();
}

void WriteStep(const UndoStep& step, std::string& out) {
  Put(out, static_cast<uint64_t>(step.time), 8);
  Put(out, static_cast<uint64_t>(step.file), 1);
  Put(out, (step.touchesTask ? kFlagTouchesTask : 0) | (step.left.lastOpen ? kFlagLastOpen : 0), 1);
  Put(out, step.name.size(), 2);
  Put(out, 0, 4);
  for (uint64_t value : {step.prefix, step.middle, static_cast<uint64_t>(step.stored.size()),
                         step.left.size, step.left.hash, step.left.headHash, step.left.lastHash})
    Put(out, value, 8);
  out += step.name;
  out += step.stored;
}

bool ReadStep(Reader& in, UndoStep& step) {
  uint64_t time, file, flags, nameSize, zero, storedSize;
  if (!in.Take(time, 8) || !in.Take(file, 1) || !in.Take(flags, 1) || !in.Take(nameSize, 2) ||
      !in.Take(zero, 4) || !in.Take(step.prefix, 8) || !in.Take(step.middle, 8) ||
      !in.Take(storedSize, 8) || !in.Take(step.left.size, 8) || !in.Take(step.left.hash, 8) ||
      !in.Take(step.left.headHash, 8) || !in.Take(step.left.lastHash, 8))
    return false;
  if (file > kUndoDescriptions || nameSize > kUndoNameMost || flags > 3 || zero != 0) return false;
  // A middle beyond the file it lies in would read past the file's end.
  if (step.prefix > step.left.size || step.middle > step.left.size - step.prefix) return false;
  step.time = static_cast<int64_t>(time);
  step.file = static_cast<int>(file);
  step.touchesTask = (flags & kFlagTouchesTask) != 0;
  step.left.lastOpen = (flags & kFlagLastOpen) != 0;
  return in.TakeBytes(step.name, nameSize) && in.TakeBytes(step.stored, storedSize);
}

// The one step to drop: the oldest, of the history whose oldest is oldest.
UndoHistory* OldestOwner(std::vector<UndoHistory*>& histories) {
  UndoHistory* owner = nullptr;
  for (UndoHistory* history : histories)
    if (!history->steps.empty() && (owner == nullptr || history->steps[0].time < owner->steps[0].time))
      owner = history;
  return owner;
}
}  // namespace

void AddUndoStep(UndoHistory& history, UndoStep step) {
  history.steps.resize(history.done);
  history.steps.push_back(std::move(step));
  if (history.steps.size() > kUndoStepsKept)
    history.steps.erase(history.steps.begin(), history.steps.end() - kUndoStepsKept);
  history.done = history.steps.size();
}

uint64_t UndoHistoryFileSize(const UndoHistory& history) {
  uint64_t size = sizeof kMagic + kHeaderSize - 8 + history.sheetPath.size() + kTrailerSize;
  for (const UndoStep& step : history.steps) size += StepFileSize(step);
  return size;
}

void WriteUndoHistory(const UndoHistory& history, std::string& out) {
  out.clear();
  out.reserve(static_cast<size_t>(UndoHistoryFileSize(history)));
  out.append(kMagic, sizeof kMagic);
  Put(out, history.steps.size(), 4);
  Put(out, history.done, 4);
  Put(out, history.sheetPath.size(), 4);
  out += history.sheetPath;
  for (const UndoStep& step : history.steps) WriteStep(step, out);
  Put(out, UndoHashOf(out.data(), out.size()), 8);
}

bool ReadUndoHistory(ByteSpan bytes, UndoHistory& history) {
  history = UndoHistory();
  if (bytes.size < sizeof kMagic + kTrailerSize || memcmp(bytes.data, kMagic, sizeof kMagic) != 0)
    return false;
  size_t body = bytes.size - kTrailerSize;
  Reader trailer = {bytes.data + body, kTrailerSize};
  uint64_t hash = 0, count = 0, done = 0, pathSize = 0;
  if (!trailer.Take(hash, 8) || hash != UndoHashOf(bytes.data, body)) return false;
  Reader in = {bytes.data + sizeof kMagic, body - sizeof kMagic};
  UndoHistory read;
  bool ok = in.Take(count, 4) && in.Take(done, 4) && in.Take(pathSize, 4) && count <= kUndoStepsKept &&
            done <= count && in.TakeBytes(read.sheetPath, pathSize);
  read.steps.resize(ok ? static_cast<size_t>(count) : 0);
  for (UndoStep& step : read.steps) ok = ok && ReadStep(in, step);
  if (!ok || in.left != 0) return false;
  read.done = static_cast<size_t>(done);
  history = std::move(read);
  return true;
}

bool KeepUndoWithin(std::vector<UndoHistory*>& histories, uint64_t limit) {
  uint64_t total = 0;
  for (const UndoHistory* history : histories) total += UndoHistoryFileSize(*history);
  bool dropped = false;
  while (total > limit) {
    UndoHistory* owner = OldestOwner(histories);
    if (owner == nullptr) break;
    // Redo steps follow on from each other: without the first, none can be used.
    size_t dropping = owner->done > 0 ? 1 : owner->steps.size();
    for (size_t i = 0; i < dropping; ++i) total -= StepFileSize(owner->steps[i]);
    owner->steps.erase(owner->steps.begin(), owner->steps.begin() + dropping);
    if (owner->done > 0) --owner->done;
    dropped = true;
  }
  return dropped;
}
