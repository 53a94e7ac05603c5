// The program started as Explorer starts it (double-clicked): with a console of its own that
// nobody reads. The built-in run then shows the small window while it works, and the error
// stop and a failure of the system show a message box, which the user closes with Enter
// before the process ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/printable_text.h"
#include "platform/status_window_win32.h"
#include "platform/wide_text_win32.h"
#include "test_support.h"

namespace sb::test {
namespace {

constexpr DWORD kPatience = 60000;       // ms; Wine may take a while to show a first window
constexpr int kMessageBoxText = 0xFFFF;  // the control that holds a message box's text

// Under Wine, windows exist only on an X display (xvfb-run provides one).
bool can_show_windows() {
  const bool wine =
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return !wine || ::GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0;
}

std::wstring text_of(HWND window) {
  std::wstring text(1024, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring class_of(HWND window) {
  std::wstring name(256, L'\0');
  name.resize(static_cast<std::size_t>(
      ::GetClassNameW(window, name.data(), static_cast<int>(name.size()))));
  return name;
}

bool is_message_box(HWND window) {
  return class_of(window) == L"#32770";
}

bool is_form(HWND window) {
  return text_of(window) == L"Form1";
}

// The program started with a new console and its standard handles on it, as from Explorer.
class ExplorerStart {
 public:
  ExplorerStart(const std::string& program, const std::vector<std::string>& args,
                const std::string& cwd) {
    std::wstring command = L"\"" + to_wide(program) + L"\"";
    for (const std::string& a : args) command += L" \"" + to_wide(a) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ =
        ::CreateProcessW(to_wide(program).c_str(), command.data(), nullptr, nullptr, FALSE,
                         CREATE_NEW_CONSOLE, nullptr, to_wide(cwd).c_str(), &startup, &process_);
  }
  ~ExplorerStart() {
    if (!started_) return;
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.hProcess, 99);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }
  ExplorerStart(const ExplorerStart&) = delete;
  ExplorerStart& operator=(const ExplorerStart&) = delete;

  bool started() const { return started_; }

  // The first top-level window of the program that `which` accepts, once it is shown; null
  // when the program ends or the time runs out first.
  HWND wait_for(const std::function<bool(HWND)>& which) const {
    for (DWORD waited = 0; waited < kPatience; waited += 50) {
      if (const HWND found = find(which)) return found;
      if (::WaitForSingleObject(process_.hProcess, 50) != WAIT_TIMEOUT) return find(which);
    }
    return nullptr;
  }

  HWND find(const std::function<bool(HWND)>& which) const {
    Search search{process_.dwProcessId, &which, nullptr};
    ::EnumWindows(&Search::visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // The exit status, or -1 when the program is still running after `ms`.
  int wait_for_exit(DWORD ms) const {
    if (::WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
  }

 private:
  struct Search {
    DWORD process;
    const std::function<bool(HWND)>* which;
    HWND found;
    static BOOL CALLBACK visit(HWND window, LPARAM data) {
      auto* s = reinterpret_cast<Search*>(data);
      DWORD owner = 0;
      ::GetWindowThreadProcessId(window, &owner);
      if (owner != s->process || !::IsWindowVisible(window) || !(*s->which)(window)) return TRUE;
      s->found = window;
      return FALSE;
    }
  };

  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

// What the user does to close the box: Enter, which presses its default button.
void press_enter(HWND box) {
  const HWND button = ::GetDlgItem(box, IDOK);
  const HWND target = button != nullptr ? button : box;
  ::PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  ::PostMessageW(target, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

std::wstring box_text(HWND box) {
  std::wstring text(1024, L'\0');
  text.resize(::GetDlgItemTextW(box, kMessageBoxText, text.data(), static_cast<int>(text.size())));
  return text;
}

// A length in twips (1/1440 inch) in pixels of the screen.
int pixels(int twips) {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return ::MulDiv(twips, dpi, 1440);
}

// One OK button and nothing else to press.
void expect_ok_only(HWND box) {
  EXPECT_NE(::GetDlgItem(box, IDOK), nullptr);
  for (const int other : {IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE}) {
    EXPECT_EQ(::GetDlgItem(box, other), nullptr) << other;
  }
}

// The author's files of a scenario whose signal at 0 m lands in cell 1, the header cell that
// the stamping needs: the build ends with the error stop 1250.
void write_error_stop_scenario(const TempDir& dir) {
  write_bytes(dir.file("Prova_linea.txt"),
              crlf({"[generale]", "lunghezza percorso, 3000", "[fine]"}));
  write_bytes(dir.file("Prova_L1-.txt"),
              crlf({"[generale]", "velocita, 0, 30", "aderenza, 0, 100", "[stazioni]",
                    "stazione, 1000, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,0,0, PRIMA",
                    "stazione, 2000, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,5,0, SECONDA",
                    "segnale, 0, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0", "[fine]"}));
}

TEST(WindowedRun, ErrorStopShowsAModalMessageBoxAndWritesNothing) {
  if (!can_show_windows()) GTEST_SKIP() << "no display for windows: run under xvfb-run";
  TempDir dir;
  write_error_stop_scenario(dir);
  const auto sources = dir.entries();
  ExplorerStart program(SB_PROGRAM, {"compile", "Prova", "L1"}, dir.path());
  ASSERT_TRUE(program.started());

  const HWND box = program.wait_for(is_message_box);
  ASSERT_NE(box, nullptr) << "no message box; exit status " << program.wait_for_exit(0);
  EXPECT_EQ(box_text(box), L" Errore n. 1250");
  EXPECT_EQ(text_of(box), L"scenario_builder");
  expect_ok_only(box);
  EXPECT_EQ(program.find(is_form), nullptr);  // compiling shows no status window
  // Modal: the process waits for the user.
  EXPECT_EQ(program.wait_for_exit(500), -1);
  press_enter(box);
  EXPECT_EQ(program.wait_for_exit(kPatience), 1);
  EXPECT_EQ(dir.entries(), sources);
}

// The window is on the screen from before the first file is written until the end: a failure
// part-way through finds it there, under the message box that reports the failure.
TEST(WindowedRun, BuiltinRunShowsTheWindowWhileItWorks) {
  if (!can_show_windows()) GTEST_SKIP() << "no display for windows: run under xvfb-run";
  TempDir home;
  TempDir elsewhere;
  const std::string exe = copy_program(home.path());
  // A folder under the train card's name: the run fails when it comes to the card.
  const std::string card = home.file("Roccalta_ Valfiorita_LINEA 7_scheda_treno.txt");
  ASSERT_TRUE(std::filesystem::create_directory(fs_path(card)));
  ExplorerStart program(exe, {}, elsewhere.path());
  ASSERT_TRUE(program.started());

  const HWND box = program.wait_for(is_message_box);
  ASSERT_NE(box, nullptr) << "no message box; exit status " << program.wait_for_exit(0);
  const std::string text = to_utf8(box_text(box));
  EXPECT_EQ(text.rfind("scenario_builder: cannot write " + echoed(card), 0), 0u) << text;
  EXPECT_NE(text.find("; use --dir DIR to run it elsewhere"), std::string::npos) << text;
  expect_ok_only(box);

  const HWND form = program.find(is_form);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(::GetWindow(box, GW_OWNER), form);
  RECT client{};
  ::GetClientRect(form, &client);
  EXPECT_EQ(client.right, pixels(4200));
  EXPECT_EQ(client.bottom, pixels(2688));
  const HWND label = ::FindWindowExW(form, nullptr, L"Static", nullptr);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(text_of(label), L"Attendere");

  press_enter(box);
  EXPECT_EQ(program.wait_for_exit(kPatience), 2);
  // The files before the card were written; the reading never started.
  std::vector<std::string> expected = {utf8_path(fs_path(exe).filename()),
                                       "Roccalta_ Valfiorita_linea.txt",
                                       "Roccalta_ Valfiorita_LINEA 7-.txt",
                                       "Roccalta_ Valfiorita_LINEA 7_note.txt",
                                       "Roccalta_ Valfiorita_LINEA 7_rallentamenti.txt",
                                       "Roccalta_ Valfiorita_LINEA 7_scheda_treno.txt"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(home.entries(), expected);
}

// The window as it is drawn: the label's place, and its font (which only the process that made
// it can read back).
TEST(WindowedRun, StatusWindowLabelInBoldSansSerif24Point) {
  if (!can_show_windows()) GTEST_SKIP() << "no display for windows: run under xvfb-run";
  StatusWindow w = open_status_window("Attendere");
  ASSERT_NE(w.window, nullptr);
  EXPECT_TRUE(::IsWindowVisible(w.window));
  EXPECT_EQ(text_of(w.window), L"Form1");
  ASSERT_NE(w.label, nullptr);
  EXPECT_EQ(text_of(w.label), L"Attendere");
  RECT label{};
  ::GetWindowRect(w.label, &label);
  ::MapWindowPoints(nullptr, w.window, reinterpret_cast<POINT*>(&label), 2);
  EXPECT_EQ(label.left, pixels(960));
  EXPECT_EQ(label.top, pixels(960));
  EXPECT_EQ(label.right - label.left, pixels(2652));
  EXPECT_EQ(label.bottom - label.top, pixels(792));
  const auto handle = reinterpret_cast<HFONT>(::SendMessageW(w.label, WM_GETFONT, 0, 0));
  EXPECT_EQ(handle, w.font);
  LOGFONTW font{};
  ASSERT_NE(::GetObjectW(handle, sizeof font, &font), 0);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfHeight, -::MulDiv(24, pixels(1440), 72));
  EXPECT_EQ(font.lfPitchAndFamily & 0xF0, FF_SWISS);
  close_status_window(w);
  EXPECT_EQ(w.window, nullptr);
}

TEST(WindowedRun, BuiltinRunEndsByItselfAndLeavesTheSixFiles) {
  if (!can_show_windows()) GTEST_SKIP() << "no display for windows: run under xvfb-run";
  TempDir home;
  TempDir elsewhere;
  const std::string exe = copy_program(home.path());
  ExplorerStart program(exe, {}, elsewhere.path());
  ASSERT_TRUE(program.started());
  EXPECT_EQ(program.wait_for_exit(kPatience), 0);
  EXPECT_EQ(home.entries().size(), 7u);  // the .exe and the six files
  EXPECT_TRUE(elsewhere.entries().empty());
}

}  // namespace
}  // namespace sb::test
