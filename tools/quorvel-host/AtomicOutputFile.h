#pragma once

#include <string>

namespace QuorvelHost {

// An output file that appears whole or not at all: everything is written to a
// temporary name in the target's folder (so the final rename stays on one file
// system) and moved into place only by Commit. The temporary file is removed
// when the object goes away uncommitted. A target that is the input file
// (under any name) is refused, so a rendering never destroys its own source.
class AtomicOutputFile final {
 public:
  AtomicOutputFile() = default;
  ~AtomicOutputFile();
  AtomicOutputFile(const AtomicOutputFile&) = delete;
  AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

  // False with a one-line reason when the target cannot be written.
  bool Begin(const std::string& target, const std::string& input, std::string& error);
  const std::string& TemporaryPath() const { return temporary_; }
  bool Commit(std::string& error);

 private:
  std::string target_;
  std::string temporary_;
  bool committed_ = false;
};

}  // namespace QuorvelHost
