// What the tests need from Windows: running the real program (CreateProcessW with its output
// in files, as a script that captures it would start it: the program then writes text, not
// windows), process numbers.
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <cmath>
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

std::string text_lines(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text.push_back(bytes[i]);
  }
  return text;
}

}  // namespace

RunningProgram::RunningProgram(const std::vector<std::string>& args, const std::string& cwd,
                               const std::string& program, const RunLimits& limits)
    : timeout_(limits.timeout) {
  expect_program_allowed();
  if (limits.file_size || limits.open_files || limits.unprivileged) {
    throw std::logic_error("file size and open file limits and users are not available on Windows");
  }
  const HANDLE in = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  const HANDLE out = inheritable(to_wide(capture_.file("out")), GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE err = inheritable(to_wide(capture_.file("err")), GENERIC_WRITE, CREATE_ALWAYS);
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
  if (::CreateProcessW(to_wide(program).c_str(), command.data(), nullptr, nullptr, TRUE,
                       CREATE_NO_WINDOW, nullptr, to_wide(cwd).c_str(), &startup, &process)) {
    ::CloseHandle(process.hThread);
    handle_ = reinterpret_cast<std::intptr_t>(process.hProcess);
    pid_ = static_cast<int>(process.dwProcessId);
  }
  ::CloseHandle(in);
  ::CloseHandle(out);
  ::CloseHandle(err);
}

RunningProgram::~RunningProgram() {
  if (handle_ == -1) return;
  const auto process = reinterpret_cast<HANDLE>(handle_);
  ::TerminateProcess(process, 137);
  ::WaitForSingleObject(process, INFINITE);
  ::CloseHandle(process);
}

bool RunningProgram::ended() const {
  return handle_ == -1 ||
         ::WaitForSingleObject(reinterpret_cast<HANDLE>(handle_), 0) == WAIT_OBJECT_0;
}

void RunningProgram::send(int sig) {
  if (handle_ != -1) ::TerminateProcess(reinterpret_cast<HANDLE>(handle_), 128 + sig);
}

ProgramResult RunningProgram::wait() {
  ProgramResult r;
  r.status = 127;  // never started
  if (handle_ != -1) {
    const auto process = reinterpret_cast<HANDLE>(handle_);
    const auto ms = static_cast<DWORD>(std::ceil(timeout_ * 1000));
    if (::WaitForSingleObject(process, ms) != WAIT_OBJECT_0) {
      ::TerminateProcess(process, 137);
      ::WaitForSingleObject(process, INFINITE);
      r.timed_out = true;
    }
    DWORD code = 0;
    r.status = ::GetExitCodeProcess(process, &code) ? static_cast<int>(code) : -1;
    ::CloseHandle(process);
    handle_ = -1;
  }
  r.out = text_lines(read_bytes(capture_.file("out")));
  r.err = text_lines(read_bytes(capture_.file("err")));
  return r;
}

long current_process_id() {
  return static_cast<long>(::GetCurrentProcessId());
}

long running_process_id() {
  // The first process of the system's list that is not this one.
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  long pid = 0;
  for (bool more = ::Process32FirstW(snapshot, &entry); more && pid == 0;
       more = ::Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID != 0 && entry.th32ProcessID != ::GetCurrentProcessId()) {
      pid = static_cast<long>(entry.th32ProcessID);
    }
  }
  ::CloseHandle(snapshot);
  return pid;
}

long ended_process_id() {
  RunningProgram run({"--version"}, ".");
  const long pid = run.pid();
  run.wait();
  return pid;
}

bool unnamed_files_supported(const std::string&) {
  return false;
}

}  // namespace sb::test
