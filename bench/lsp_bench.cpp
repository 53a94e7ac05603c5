// The language server: the time from a change of a train file to its published diagnostics,
// for the built-in scenario and for the long scenario of 1 000 000 m, in process (no pipe, no
// waiting for more typing). Each iteration types a blank at the end of the train file and
// takes it away again in turns, so that every check reads the same scenario.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "driver/builtin_run.h"
#include "driver/lsp/server.h"
#include "driver/lsp/source_files.h"
#include "driver/lsp/text_positions.h"
#include "long_scenario.h"
#include "model/file_names.h"
#include "platform/files.h"
#include "writers/builtin_sources.h"

namespace sb::bench {
namespace {

struct Texts {
  std::string line_path, line, train_path, train;
};

// The built-in scenario's two text files, as an editor shows them.
Texts builtin_texts(const std::string& folder) {
  Scenario s;
  set_builtin_names(s, folder);
  write_scenario_sources(s);
  return {line_file_name(s), from_file_text(read_file(line_file_name(s))), train_file_name(s),
          from_file_text(read_file(train_file_name(s)))};
}

Texts long_texts(const std::string& folder) {
  const LongScenarioText text = make_long_scenario();
  return {folder + "/Lungo_linea.txt", text.line_file, folder + "/Lungo_L1-.txt", text.train_file};
}

Json open_message(const std::string& path, const std::string& text) {
  return Json::object()
      .set("jsonrpc", Json::string("2.0"))
      .set("method", Json::string("textDocument/didOpen"))
      .set("params",
           Json::object().set("textDocument", Json::object()
                                                  .set("uri", Json::string(uri_of_path(path)))
                                                  .set("languageId", Json::string("scenario"))
                                                  .set("version", Json::of(1.0))
                                                  .set("text", Json::string(text))));
}

// A blank typed at the end of the text (`add`) or taken away again.
Json change_message(const std::string& path, const std::string& text, double version, bool add) {
  const TextPosition end = position_of(text, text.size());
  const TextPosition before{end.line, end.character - 1};
  Json range =
      Json::object()
          .set("start",
               Json::object()
                   .set("line", Json::of(static_cast<double>(end.line)))
                   .set("character",
                        Json::of(static_cast<double>(add ? end.character : before.character))))
          .set("end", Json::object()
                          .set("line", Json::of(static_cast<double>(end.line)))
                          .set("character", Json::of(static_cast<double>(end.character))));
  return Json::object()
      .set("jsonrpc", Json::string("2.0"))
      .set("method", Json::string("textDocument/didChange"))
      .set("params", Json::object()
                         .set("textDocument", Json::object()
                                                  .set("uri", Json::string(uri_of_path(path)))
                                                  .set("version", Json::of(version)))
                         .set("contentChanges",
                              Json::array().push(Json::object()
                                                     .set("range", std::move(range))
                                                     .set("text", Json::string(add ? " " : "")))));
}

void BM_LspChangeToDiagnostics(benchmark::State& state) {
  const ScratchFolder folder;
  const Texts texts =
      state.range(0) == 0 ? builtin_texts(folder.path()) : long_texts(folder.path());
  std::size_t published = 0, faults = 0;
  LanguageServer server([&](const Json& m) {
    const Json* method = m.find("method");
    if (method == nullptr || method->text != "textDocument/publishDiagnostics") return;
    ++published;
    faults = m["params"]["diagnostics"].items.size();
  });
  server.handle(parse_json(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})"));
  server.handle(open_message(texts.line_path, texts.line));
  server.handle(open_message(texts.train_path, texts.train));
  server.check_pending();
  if (faults != 0 || published != 2) {
    state.SkipWithError("the scenario does not check cleanly");
    return;
  }
  std::string text = texts.train;
  double version = 1;
  bool add = true;
  for (auto _ : state) {
    server.handle(change_message(texts.train_path, text, ++version, add));
    server.check_pending();
    if (add) {
      text += ' ';
    } else {
      text.pop_back();
    }
    add = !add;
  }
  if (published != 2 + static_cast<std::size_t>(state.iterations())) {
    state.SkipWithError("a change was not followed by its diagnostics");
  }
}
BENCHMARK(BM_LspChangeToDiagnostics)
    ->ArgName("long")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace sb::bench
