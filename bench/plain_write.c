/* The plain-write anchor of the whole-process benchmark: writes files the simplest sound way,
 * so that a compile can be compared with the cost of writing its bytes and nothing else.
 *
 *   plain_write FROM TO NAME...
 *
 * For each NAME: reads FROM/NAME in blocks of 256 KiB, writes every block to a new temporary
 * file TO/NAME.tmpPID, closes it and renames it over TO/NAME. Exit status 0, or 1 with a
 * message when a file cannot be read or written. */
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

enum { kBlock = 256 * 1024 };
static char block[kBlock];

static int fail(const char* what, const char* path) {
  fprintf(stderr, "plain_write: cannot %s %s: %s\n", what, path, strerror(errno));
  return 1;
}

static int copy(const char* from, const char* to) {
  char temp[4096 + 32];
  snprintf(temp, sizeof temp, "%s.tmp%ld", to, (long)getpid());
  const int in = open(from, O_RDONLY | O_CLOEXEC);
  if (in < 0) return fail("open", from);
  const int out = open(temp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) return fail("create", temp);
  for (;;) {
    const ssize_t n = read(in, block, kBlock);
    if (n < 0) return fail("read", from);
    if (n == 0) break;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = write(out, block + done, (size_t)(n - done));
      if (w < 0) return fail("write", temp);
      done += w;
    }
  }
  close(in);
  if (close(out) != 0) return fail("close", temp);
  if (rename(temp, to) != 0) return fail("rename", temp);
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: plain_write FROM TO NAME...\n");
    return 2;
  }
  for (int k = 3; k < argc; ++k) {
    char from[4096], to[4096];
    snprintf(from, sizeof from, "%s/%s", argv[1], argv[k]);
    snprintf(to, sizeof to, "%s/%s", argv[2], argv[k]);
    if (copy(from, to) != 0) return 1;
  }
  return 0;
}
