#include "store/undo_step.h"

#include <string.h>

#include "common/elapsed_time.h"
#include "store/time_record.h"
#include "store/undo_hash.h"

namespace {

uint64_t TotalSize(const ByteSpan* pieces, size_t count) {
  uint64_t total = 0;
  for (size_t i = 0; i < count; ++i) total += pieces[i].size;
  return total;
}

// Bytes at the start of `a` and `b` (both `size` long) that are equal.
size_t EqualRun(const unsigned char* a, const unsigned char* b, size_t size) {
  const size_t kBlock = 4096;
  size_t done = 0;
  while (done < size) {
    size_t block = size - done < kBlock ? size - done : kBlock;
    if (memcmp(a + done, b + done, block) != 0) break;
    done += block;
  }
  while (done < size && a[done] == b[done]) ++done;
  return done;
}

// The same backwards: equal bytes ending at a + size and b + size.
size_t EqualRunBack(const unsigned char* a, const unsigned char* b, size_t size) {
  const size_t kBlock = 4096;
  size_t done = 0;
  while (done < size) {
    size_t block = size - done < kBlock ? size - done : kBlock;
    if (memcmp(a + size - done - block, b + size - done - block, block) != 0) break;
    done += block;
  }
  while (done < size && a[size - done - 1] == b[size - done - 1]) ++done;
  return done;
}

uint64_t CommonPrefix(ByteSpan before, const ByteSpan* after, size_t count) {
  uint64_t at = 0;
  for (size_t i = 0; i < count; ++i) {
    size_t room = at < before.size ? before.size - static_cast<size_t>(at) : 0;
    size_t size = after[i].size < room ? after[i].size : room;
    size_t equal = EqualRun(before.data + at, after[i].data, size);
    at += equal;
    if (equal < after[i].size) break;
  }
  return at;
}

uint64_t CommonSuffix(ByteSpan before, const ByteSpan* after, size_t count, uint64_t most) {
  uint64_t done = 0;
  for (size_t i = count; i-- > 0 && done < most;) {
    uint64_t room = most - done;
    size_t size = after[i].size < room ? after[i].size : static_cast<size_t>(room);
    const unsigned char* end = before.data + before.size - done;
    size_t equal = EqualRunBack(end - size, after[i].data + after[i].size - size, size);
    done += equal;
    if (equal < after[i].size) break;
  }
  return done;
}

void CopyOut(const ByteSpan* pieces, size_t count, uint64_t from, size_t size, unsigned char* out) {
  uint64_t start = 0;
  for (size_t i = 0; i < count && size > 0; start += pieces[i].size, ++i) {
    uint64_t end = start + pieces[i].size;
    if (end <= from) continue;
    size_t offset = static_cast<size_t>(from - start);
    size_t taken = pieces[i].size - offset < size ? pieces[i].size - offset : size;
    memcpy(out, pieces[i].data + offset, taken);
    out += taken;
    from += taken;
    size -= taken;
  }
}

TimeRecord RecordAt(const unsigned char* bytes) {
  TimeRecord record;
  memcpy(&record, bytes, sizeof record);
  return record;
}

// What a close changes in a record is its stop, nothing else.
uint64_t CloseKeepsHash(const unsigned char* record) {
  UndoHash hash;
  StartUndoHash(hash);
  AddToUndoHash(hash, record, offsetof(TimeRecord, stopTime));
  AddToUndoHash(hash, record + offsetof(TimeRecord, startSeconds), sizeof(int64_t));
  AddToUndoHash(hash, record + offsetof(TimeRecord, reserved), sizeof(TimeRecord::reserved));
  return UndoHashValue(hash);
}

bool IsSheet(int file) { return file == kUndoTimeSheet; }

// Hashes the first `size` bytes of the pieces; `head` gets the hash of all
// but the last record's bytes.
uint64_t HashPieces(const ByteSpan* pieces, size_t count, uint64_t size, uint64_t* head) {
  UndoHash hash;
  StartUndoHash(hash);
  uint64_t headSize = size >= kRecordSize ? size - kRecordSize : 0, done = 0;
  for (size_t i = 0; i < count && done < size; ++i) {
    size_t taken = size - done < pieces[i].size ? static_cast<size_t>(size - done) : pieces[i].size;
    if (done <= headSize && done + taken > headSize) {
      size_t first = static_cast<size_t>(headSize - done);
      AddToUndoHash(hash, pieces[i].data, first);
      *head = UndoHashValue(hash);
      AddToUndoHash(hash, pieces[i].data + first, taken - first);
    } else {
      AddToUndoHash(hash, pieces[i].data, taken);
    }
    done += taken;
  }
  if (headSize == size) *head = UndoHashValue(hash);
  return UndoHashValue(hash);
}

bool EndsInOpenRecord(uint64_t size, const unsigned char* last) {
  return size >= kRecordSize && size % kRecordSize == 0 && RecordIsOpen(RecordAt(last));
}

// Gives an open record the stop `stop`, with its elapsed time.
void CloseRecordAt(unsigned char* bytes, const SYSTEMTIME& stopTime, int64_t stopSeconds) {
  TimeRecord record = RecordAt(bytes);
  record.stopTime = stopTime;
  record.stopSeconds = stopSeconds;
  ComputeElapsed(ElapsedSeconds(stopSeconds, record.startSeconds), &record.elapsedMinutes,
                 &record.elapsedHours);
  memcpy(bytes, &record, sizeof record);
}

// Undoing a change to the logged task's record (an away-time answer) gives
// back its open record. Time logged since must not be lost with it: the
// record runs until that logging stopped, as if the answer had been "keep":
// to the close of the task the change started, or to the start of the next
// record.
void KeepLoggedTime(const UndoStep& step, ByteSpan current, std::string& result) {
  uint64_t restoredEnd = step.prefix + step.stored.size();
  if (step.prefix % kRecordSize != 0 || step.stored.size() % kRecordSize != 0 || step.stored.empty())
    return;
  unsigned char* restored = reinterpret_cast<unsigned char*>(&result[0]) + restoredEnd - kRecordSize;
  if (!RecordIsOpen(RecordAt(restored))) return;
  uint64_t leftEnd = step.left.size;
  if (step.left.lastOpen && step.prefix + step.middle == leftEnd && step.middle >= kRecordSize) {
    TimeRecord closed = RecordAt(current.data + leftEnd - kRecordSize);
    if (!RecordIsOpen(closed)) {
      CloseRecordAt(restored, closed.stopTime, closed.stopSeconds);
      return;
    }
  }
  if (result.size() >= restoredEnd + kRecordSize) {
    TimeRecord next = RecordAt(reinterpret_cast<const unsigned char*>(result.data()) + restoredEnd);
    CloseRecordAt(restored, next.startTime, next.startSeconds);
  }
}

}  // namespace

LeftFile DescribeLeftFile(const ByteSpan* pieces, size_t count, int file) {
  LeftFile left = {};
  left.size = TotalSize(pieces, count);
  unsigned char last[kRecordSize];
  if (IsSheet(file) && left.size >= kRecordSize) {
    CopyOut(pieces, count, left.size - kRecordSize, kRecordSize, last);
    left.lastOpen = EndsInOpenRecord(left.size, last);
  }
  uint64_t head = 0;
  left.hash = HashPieces(pieces, count, left.size, &head);
  if (left.lastOpen) {
    left.headHash = head;
    left.lastHash = CloseKeepsHash(last);
  }
  return left;
}

bool MakeUndoStep(ByteSpan before, const ByteSpan* after, size_t count, int file, UndoStep& step) {
  uint64_t afterSize = TotalSize(after, count);
  uint64_t prefix = CommonPrefix(before, after, count);
  if (prefix == before.size && prefix == afterSize) return false;
  // Whole records in a time sheet, so that an undo can tell the records it
  // gives back; the prefix first, so the suffix may take what it gave up.
  if (IsSheet(file)) prefix -= prefix % kRecordSize;
  uint64_t shorter = before.size < afterSize ? before.size : afterSize;
  uint64_t suffix = CommonSuffix(before, after, count, shorter - prefix);
  if (IsSheet(file) && before.size % kRecordSize == 0 && afterSize % kRecordSize == 0)
    suffix -= suffix % kRecordSize;
  step.file = file;
  step.prefix = prefix;
  step.middle = afterSize - suffix - prefix;
  step.stored.assign(reinterpret_cast<const char*>(before.data) + prefix,
                     static_cast<size_t>(before.size - suffix - prefix));
  step.left = DescribeLeftFile(after, count, file);
  return true;
}

UndoCheck CheckUndoStep(const UndoStep& step, ByteSpan current, bool taskLogging) {
  const LeftFile& left = step.left;
  if (current.size < left.size) return kUndoChangedSince;
  uint64_t since = current.size - left.size;
  if (since > 0 && (!IsSheet(step.file) || since % kRecordSize != 0 || left.size % kRecordSize != 0))
    return kUndoChangedSince;
  uint64_t head = 0;
  bool same = HashPieces(&current, 1, left.size, &head) == left.hash;
  if (!same && left.lastOpen) {
    const unsigned char* last = current.data + left.size - kRecordSize;
    same = !RecordIsOpen(RecordAt(last)) && head == left.headHash && CloseKeepsHash(last) == left.lastHash;
  }
  if (!same) return kUndoChangedSince;
  bool taskIsLast = taskLogging && IsSheet(step.file) &&
                    EndsInOpenRecord(current.size, current.data + current.size - kRecordSize);
  if (taskIsLast && step.prefix + step.middle > current.size - kRecordSize) return kUndoTaskRunning;
  return kUndoApplies;
}

void ApplyUndoStep(UndoStep& step, ByteSpan current, std::string& result) {
  const char* bytes = reinterpret_cast<const char*>(current.data);
  size_t prefix = static_cast<size_t>(step.prefix), middle = static_cast<size_t>(step.middle);
  result.clear();
  result.reserve(current.size - middle + step.stored.size());
  result.append(bytes, prefix);
  result.append(step.stored);
  result.append(bytes + prefix + middle, current.size - prefix - middle);
  if (IsSheet(step.file) && step.touchesTask) KeepLoggedTime(step, current, result);

  step.middle = step.stored.size();
  step.stored.assign(bytes + prefix, middle);
  ByteSpan whole = {reinterpret_cast<const unsigned char*>(result.data()), result.size()};
  step.left = DescribeLeftFile(&whole, 1, step.file);
}
