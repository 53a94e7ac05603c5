// The file services that are the same on every system.
#include "platform/files.h"

#include "platform/platform_error.h"
#include "platform/temporary_file.h"

namespace sb {

std::string_view file_kind_description(FileKind kind) {
  switch (kind) {
    case FileKind::kMissing:
      return "nothing";
    case FileKind::kOrdinary:
      return "an ordinary file";
    case FileKind::kDirectory:
      return "a directory";
    case FileKind::kFifo:
      return "a FIFO (named pipe)";
    case FileKind::kDevice:
      return "a device";
    case FileKind::kSocket:
      return "a socket";
    case FileKind::kHidden:
      return "a hidden file";
    case FileKind::kSystem:
      return "a system file";
    case FileKind::kOther:
      break;
  }
  return "neither an ordinary file nor a directory";
}

std::string not_ordinary_file_reason(FileKind kind) {
  return "it is " + std::string(file_kind_description(kind)) + ", not an ordinary file";
}

namespace {

PlatformError too_large(const std::string& path, std::uint64_t bytes, std::uint64_t limit) {
  return PlatformError("read", path,
                       "it holds " + std::to_string(bytes) + " bytes, more than the " +
                           std::to_string(limit) + " bytes the program reads from one file");
}

}  // namespace

std::uint64_t read_pieces_within_limit(
    const std::string& path, std::uint64_t size, std::uint64_t limit,
    const std::function<std::size_t(char*, std::size_t)>& read_some,
    const std::function<void(std::string_view)>& take) {
  if (size > limit) throw too_large(path, size, limit);
  std::string piece(kReadPieceBytes, '\0');
  std::uint64_t done = 0;
  for (;;) {
    const std::size_t n = read_some(piece.data(), piece.size());
    if (n == 0) break;
    done += n;
    if (done > limit) throw too_large(path, done, limit);
    take(std::string_view(piece.data(), n));
  }
  return done;
}

std::string read_within_limit(const std::string& path, std::uint64_t size, std::uint64_t limit,
                              const std::function<std::size_t(char*, std::size_t)>& read_some) {
  const auto too_large = [&](std::uint64_t bytes) { return sb::too_large(path, bytes, limit); };
  if (size > limit) throw too_large(size);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t done = 0;
  char more[1 << 14];
  for (;;) {
    const bool within = done < bytes.size();
    char* const into = within ? bytes.data() + done : more;
    const std::size_t room = within ? bytes.size() - done : sizeof more;
    const std::size_t n = read_some(into, room);
    if (n == 0) break;
    if (!within) bytes.append(more, n);
    done += n;
    if (done > limit) throw too_large(done);
  }
  bytes.resize(done);
  return bytes;
}

std::string read_file(const std::string& path, std::uint64_t limit) {
  std::string bytes;
  read_opened_file(path, [&](std::uint64_t size, const ReadSome& read_some) {
    bytes = read_within_limit(path, size, limit, read_some);
  });
  return bytes;
}

std::uint64_t read_file_in_pieces(const std::string& path,
                                  const std::function<void(std::string_view)>& take,
                                  std::uint64_t limit) {
  std::uint64_t done = 0;
  read_opened_file(path, [&](std::uint64_t size, const ReadSome& read_some) {
    done = read_pieces_within_limit(path, size, limit, read_some, take);
  });
  return done;
}

ReplacementFile::ReplacementFile(std::string path)
    : file_(std::make_unique<TemporaryFile>(std::move(path))) {}

ReplacementFile::~ReplacementFile() = default;

void ReplacementFile::write(std::string_view bytes) {
  file_->write(bytes);
}

void ReplacementFile::commit() {
  file_->seal();
  file_->publish();
}

void write_file(const std::string& path, std::string_view bytes) {
  ReplacementFile file(path);
  file.write(bytes);
  file.commit();
}

}  // namespace sb
