// Running the real program on Windows: CreateProcessW with its output in files, as a script
// that captures it would start it (the program then writes text, not windows).
#include <windows.h>

#include <stdexcept>

#include "platform/wide_text_win32.h"
#include "test_support.h"

namespace sb::test {
namespace {

// One argument of a command line, quoted so that the program's start-up code reads it back
// unchanged: backslashes count only in front of a double quote.
std::wstring quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring q = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    q.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    q.push_back(c);
  }
  q.append(2 * backslashes, L'\\');
  q.push_back(L'"');
  return q;
}

HANDLE inheritable(const std::wstring& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string text_lines(std::string bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text.push_back(bytes[i]);
  }
  return text;
}

}  // namespace

ProgramResult run_program(const std::vector<std::string>& args, const std::string& cwd,
                          const std::string& program, const RunLimits& limits) {
  if (limits.file_size || limits.unprivileged) {
    throw std::logic_error("file size limits and users are not available on Windows");
  }
  TempDir capture;
  const HANDLE in = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  const HANDLE out = inheritable(to_wide(capture.file("out")), GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE err = inheritable(to_wide(capture.file("err")), GENERIC_WRITE, CREATE_ALWAYS);
  if (in == INVALID_HANDLE_VALUE || out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot open the files for the program's output");
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  std::wstring command = quoted(to_wide(program));
  for (const std::string& a : args) command += L" " + quoted(to_wide(a));
  PROCESS_INFORMATION process{};
  const bool started =
      ::CreateProcessW(to_wide(program).c_str(), command.data(), nullptr, nullptr, TRUE,
                       CREATE_NO_WINDOW, nullptr, to_wide(cwd).c_str(), &startup, &process);
  ::CloseHandle(in);
  ::CloseHandle(out);
  ::CloseHandle(err);
  ProgramResult r;
  r.status = 127;
  if (started) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    r.status = ::GetExitCodeProcess(process.hProcess, &code) ? static_cast<int>(code) : -1;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  r.out = text_lines(read_bytes(capture.file("out")));
  r.err = text_lines(read_bytes(capture.file("err")));
  return r;
}

}  // namespace sb::test
