// A new file that takes the place of an existing one only when it is complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace sb {

// The file is created in the target's folder, never as an existing file and never through a
// link. Where the system allows it, it has no name at all while it is written, so that a
// process that is killed leaves nothing behind; elsewhere it is named "TARGET.tmpPID" (".1",
// ".2", ... added while that name is taken), an interrupt removes it, and a later run removes
// such a file left by a process that no longer exists. Replacing the target takes two steps:
// seal() gives the complete file its temporary name beside the target and checks that the
// target can be replaced; publish() renames it over the target. A file discarded, destroyed
// or failing before publish() is removed and leaves the target as it was.
//
// Every failure throws PlatformError naming the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string target);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& target() const { return target_; }

  // Writes at the end of what write() has written so far.
  void write(std::string_view bytes);
  // Writes at `offset`, leaving the position of write() where it was.
  void write_at(std::uint64_t offset, std::string_view bytes);
  // Reads up to `size` bytes at `offset`; returns how many there were.
  std::size_t read_at(std::uint64_t offset, char* buffer, std::size_t size);
  // Cuts or extends the file to `size` bytes.
  void resize(std::uint64_t size);

  // Ends the writing: the file is complete, named beside the target, and the target is
  // something a file can replace (not a folder).
  void seal();
  // The sealed file's name beside the target (empty before seal()).
  const std::string& sealed_name() const;
  // Gives what stands at the target a second name beside it (a temporary name of this
  // process), so that the old file lives on, its blocks still allocated, while the sealed file
  // is renamed over it, and can be put back. Returns that name, or "" when nothing stands at
  // the target or the file system cannot give it a second name.
  std::string keep_target() const;
  // Renames the sealed file over the target.
  void publish();
  // Removes the file; the target stays as it was. Does nothing once published.
  void discard() noexcept;

  // Whether files are created without a name where the system allows it (the default), or
  // always under a temporary name; the tests use the latter to exercise that path.
  static void allow_unnamed(bool allow);

 private:
  [[noreturn]] void fail(int err);
  // Checks the target again once the file is sealed; discards the file when it can no
  // longer replace it.
  void recheck_target();

  struct State;
  std::string target_;
  std::unique_ptr<State> state_;
};

}  // namespace sb
