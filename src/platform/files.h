// File-system services: the program's folder, paths, what stands at a path, and whole-file
// reads and writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace sb {

class PlatformError;
class TemporaryFile;

// The folder that holds the running executable, resolved from the running process (not the
// current directory), without a trailing separator.
std::string program_folder();

// Joins a folder and a file name with the system's separator ("/", or "\\" on Windows). An
// empty folder means the current directory.
std::string join_path(const std::string& folder, const std::string& leaf);

// The folder part of `path`, without the separator ("" for a bare name: the current
// directory), and its last part.
std::string path_folder(const std::string& path);
std::string path_leaf(const std::string& path);

// True when `path` names an ordinary file: not a folder or a device, and on Windows neither
// hidden nor a system file.
bool is_ordinary_file(const std::string& path);
bool is_folder(const std::string& path);

// Creates the folder `path` and any missing folder above it. Throws PlatformError.
void make_folders(const std::string& path);

// What stands at a path, links followed. Windows files may also be hidden or system files,
// which read_file reads but which are not ordinary files.
enum class FileKind {
  kMissing,
  kOrdinary,
  kDirectory,
  kFifo,
  kDevice,
  kSocket,
  kHidden,
  kSystem,
  kOther
};

// Nothing stands there when the path or one of its folders does not exist. Throws
// PlatformError when the system cannot tell (no permission to look, a name too long for the
// file system, a loop of links).
FileKind file_kind(const std::string& path);
// "an ordinary file", "a directory", "a FIFO (named pipe)", "a device", "a socket", ...
std::string_view file_kind_description(FileKind kind);
// "it is a FIFO (named pipe), not an ordinary file", and the like.
std::string not_ordinary_file_reason(FileKind kind);
// The reading part of read_file, the same on every system: the file at `path`, `size` bytes
// long when it was opened, is read through `read_some` (which reads at most `room` bytes into
// `into` and returns how many, 0 at its end, and throws PlatformError on failure). A file
// larger than `limit` is refused before any of it is read; one that grows meanwhile is read
// on, up to the limit and a block more, to see it pass the limit.
std::string read_within_limit(
    const std::string& path, std::uint64_t size, std::uint64_t limit,
    const std::function<std::size_t(char* into, std::size_t room)>& read_some);

// A reader of an open file's bytes, as read_within_limit takes it.
using ReadSome = std::function<std::size_t(char* into, std::size_t room)>;

// Opens the file `path` for reading as read_file does (each system has its own) and calls
// `read` with its size and a reader of its bytes; the file is closed afterwards.
void read_opened_file(const std::string& path,
                      const std::function<void(std::uint64_t size, const ReadSome&)>& read);

// The same reading handed over in pieces of at most kReadPieceBytes to `take`; returns the
// number of bytes read. Nothing but one piece is held.
inline constexpr std::size_t kReadPieceBytes = std::size_t{1} << 18;
std::uint64_t read_pieces_within_limit(
    const std::string& path, std::uint64_t size, std::uint64_t limit,
    const std::function<std::size_t(char* into, std::size_t room)>& read_some,
    const std::function<void(std::string_view piece)>& take);

// The most the program reads from one file: well above the largest files of a 1 000 000 m
// scenario (its route matrix file is about 20 MB).
inline constexpr std::uint64_t kMaxReadBytes = std::uint64_t{64} << 20;

// Reads a whole ordinary file. Only an ordinary file is read, and one larger than `limit` is
// refused before any of it is read; the file is opened without waiting, so a FIFO or a device
// never blocks the program. Throws PlatformError when the file cannot be read, naming what
// stands there instead ("it is a FIFO (named pipe), not an ordinary file").
std::string read_file(const std::string& path, std::uint64_t limit = kMaxReadBytes);

// Checks that a file written by the program may take the place of what stands at `path`:
// nothing, an ordinary file, or a symbolic link (the link itself is replaced, never what it
// leads to). Anything else is never replaced: throws PlatformError("write", path, ...) with
// "Is a directory" for a folder and with what stands there for the rest ("it is a FIFO (named
// pipe), not an ordinary file", "it is a device, ...", "it is a socket, ...").
void check_replaceable(const std::string& path);

// Reads a file as read_file does (the same checks, the same limit), but hands it to `take` in
// pieces of at most kReadPieceBytes instead of holding it whole. Returns the number of bytes
// read.
std::uint64_t read_file_in_pieces(const std::string& path,
                                  const std::function<void(std::string_view piece)>& take,
                                  std::uint64_t limit = kMaxReadBytes);

// Throws PlatformError when an ordinary file stands at `path` but cannot be opened for
// reading; does nothing for any other path.
void check_readable(const std::string& path);

// Replaces `path` with exactly `bytes`. The content goes to a temporary file in the same
// folder, which is renamed over the old file only once it is complete, so a failure leaves
// the old file whole; the temporary file is removed on failure. Throws PlatformError.
void write_file(const std::string& path, std::string_view bytes);

// A file being replaced piece by piece, for content too large to build whole first. The
// bytes go to a temporary file in the same folder, which takes the file's name only when
// commit() succeeds; a replacement that is never committed, or fails, leaves the old file
// whole and removes the temporary file. Throws PlatformError.
class ReplacementFile {
 public:
  explicit ReplacementFile(std::string path);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  void write(std::string_view bytes);
  void commit();

 private:
  std::unique_ptr<TemporaryFile> file_;
};

// Gives what stands at `path` (a file, or a symbolic link itself) the second name `link` in
// the same file system, so that it lives on when `path` is replaced. False when nothing stands
// there or the file system refuses (no hard links, an immutable file, a name taken).
bool add_second_name(const std::string& path, const std::string& link);

// Renames `from` to `to`, replacing what stands at `to`. Throws PlatformError naming `to`.
void rename_file(const std::string& from, const std::string& to);

// Deletes a file. Throws PlatformError when it exists and cannot be deleted.
void delete_file(const std::string& path);

}  // namespace sb
