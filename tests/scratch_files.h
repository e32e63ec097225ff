// Real files for the tests that run on Windows (under Wine) and natively:
// a fresh folder, bytes in and out, and what only one system has.
#pragma once
#include <string>

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + kSeparator + name; }
  static const char kSeparator;

 private:
  std::string path_;
};

void PutBytes(const std::string& path, const std::string& bytes);
std::string TakeBytes(const std::string& path);  // "" when it cannot be read
bool MakeFolder(const std::string& path);
bool MakeHardLink(const std::string& existing, const std::string& link);
// The 8.3 name of an existing file; "" where the system has none.
std::string ShortPathOf(const std::string& path);

// Holds a file open without sharing while it lives; Held() is false where
// the system has no such thing.
class HeldWithoutSharing {
 public:
  explicit HeldWithoutSharing(const std::string& path);
  ~HeldWithoutSharing();
  HeldWithoutSharing(const HeldWithoutSharing&) = delete;
  HeldWithoutSharing& operator=(const HeldWithoutSharing&) = delete;
  bool Held() const { return handle_ != -1; }

 private:
  long long handle_;
};
