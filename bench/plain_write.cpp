// The plain-write anchor of the whole-process benchmark: writes files the simplest sound way,
// so that a compile can be compared with the cost of writing its bytes and nothing else.
//
//   plain_write FROM TO NAME...
//
// For each NAME: reads FROM/NAME in blocks of 256 KiB, writes every block to a new temporary
// file TO/NAME.tmpPID, closes it and renames it over TO/NAME. Exit status 0, or 1 with a
// message when a file cannot be read or written.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t kBlock = 256 * 1024;

int fail(const std::string& what, const std::string& path) {
  std::fprintf(stderr, "plain_write: cannot %s %s: %s\n", what.c_str(), path.c_str(),
               std::strerror(errno));
  return 1;
}

int copy(const std::string& from, const std::string& to, char* block) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return fail("open", from);
  const std::string temp = to + ".tmp" + std::to_string(::getpid());
  const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) return fail("create", temp);
  for (;;) {
    const ssize_t n = ::read(in, block, kBlock);
    if (n < 0) return fail("read", from);
    if (n == 0) break;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(out, block + done, static_cast<std::size_t>(n - done));
      if (w < 0) return fail("write", temp);
      done += w;
    }
  }
  ::close(in);
  if (::close(out) != 0) return fail("close", temp);
  if (::rename(temp.c_str(), to.c_str()) != 0) return fail("rename", temp);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: plain_write FROM TO NAME...\n");
    return 2;
  }
  static char block[kBlock];
  const std::string from = argv[1];
  const std::string to = argv[2];
  for (int k = 3; k < argc; ++k) {
    if (copy(from + "/" + argv[k], to + "/" + argv[k], block) != 0) return 1;
  }
  return 0;
}
