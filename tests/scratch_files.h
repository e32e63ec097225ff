// Real files for the tests that run both under Wine and natively.
#pragma once
#include <memory>
#include <string>

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string File(const std::string& name) const { return path_ + kSeparator + name; }
  static const char kSeparator;

 private:
  std::string path_;
  std::shared_ptr<void> owner_;  // what cleans up on Windows
};

void PutBytes(const std::string& path, const std::string& bytes);
std::string TakeBytes(const std::string& path);  // "" when it cannot be read
bool MakeFolder(const std::string& path);
bool MakeHardLink(const std::string& existing, const std::string& link);
std::string ShortPathOf(const std::string& path);  // the 8.3 name; "" where there is none

// Holds a file open without sharing while it lives, where the system can.
class HeldWithoutSharing {
 public:
  explicit HeldWithoutSharing(const std::string& path);
  ~HeldWithoutSharing();
  HeldWithoutSharing(const HeldWithoutSharing&) = delete;
  HeldWithoutSharing& operator=(const HeldWithoutSharing&) = delete;
  bool Held() const;

 private:
  std::shared_ptr<void> held_;
};
