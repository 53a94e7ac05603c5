// The language server in process: documents checked as pairs with the editor's unsaved text
// in place of the disk, diagnostics at the fields' ranges, never out of date, and the answers
// to hover, signature help, completion, the outline and quick fixes.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "driver/explanations.h"
#include "driver/lsp/protocol_diagnostics.h"
#include "driver/lsp/server.h"
#include "driver/lsp/source_files.h"
#include "model/faults.h"
#include "platform/files.h"
#include "test_support.h"

namespace sb::test {
namespace {

class Editor {
 public:
  Editor() : server_([this](const Json& m) { sent_.push_back(m); }) {
    request("initialize", Json::object().set("capabilities", Json::object()));
  }

  Json request(const std::string& method, Json params) {
    const double id = ++last_id_;
    server_.handle(Json::object()
                       .set("jsonrpc", Json::string("2.0"))
                       .set("id", Json::of(id))
                       .set("method", Json::string(method))
                       .set("params", std::move(params)));
    for (const Json& m : sent_) {
      if (const Json* i = m.find("id"); i != nullptr && i->is_number() && i->number == id) {
        if (const Json* e = m.find("error")) return Json::object().set("error", *e);
        return m["result"];
      }
    }
    ADD_FAILURE() << "no reply to " << method;
    return {};
  }
  void notify(const std::string& method, Json params) {
    server_.handle(Json::object()
                       .set("jsonrpc", Json::string("2.0"))
                       .set("method", Json::string(method))
                       .set("params", std::move(params)));
  }
  void open(const std::string& path, const std::string& text) {
    notify("textDocument/didOpen",
           Json::object().set("textDocument", Json::object()
                                                  .set("uri", Json::string(uri_of_path(path)))
                                                  .set("languageId", Json::string("x"))
                                                  .set("version", Json::of(1.0))
                                                  .set("text", Json::string(text))));
  }
  void replace(const std::string& path, const std::string& text, double version) {
    notify("textDocument/didChange",
           Json::object()
               .set("textDocument", Json::object()
                                        .set("uri", Json::string(uri_of_path(path)))
                                        .set("version", Json::of(version)))
               .set("contentChanges",
                    Json::array().push(Json::object().set("text", Json::string(text)))));
  }
  // Runs the pending checks; the diagnostics published for each URI, last ones only.
  void check(const std::function<bool(const std::string&)>& superseded = {}) {
    server_.check_pending(superseded);
  }
  // The diagnostics last published for the path; nullptr when none were.
  const Json* diagnostics(const std::string& path) const {
    const Json* last = nullptr;
    for (const Json& m : sent_) {
      const Json* method = m.find("method");
      if (method != nullptr && method->text == "textDocument/publishDiagnostics" &&
          m["params"]["uri"].text == uri_of_path(path)) {
        last = &m["params"];
      }
    }
    return last;
  }
  Json at(const std::string& path, std::int64_t line, std::int64_t character) const {
    return Json::object()
        .set("textDocument", Json::object().set("uri", Json::string(uri_of_path(path))))
        .set("position", Json::object()
                             .set("line", Json::of(static_cast<double>(line)))
                             .set("character", Json::of(static_cast<double>(character))));
  }
  void forget() { sent_.clear(); }

 private:
  std::vector<Json> sent_;
  LanguageServer server_;
  double last_id_ = 0;
};

const std::string kLine = "[generale]\nlunghezza percorso, 20000\n[fine]\n";
const std::string kTrain = "[generale]\nvelocita, 0, 60\naderenza, 0, 100\n[fine]\n";
// The smallest train file with `entries` (each ended by a line end) before its end.
std::string train_with(const std::string& entries) {
  return "[generale]\nvelocita, 0, 60\naderenza, 0, 100\n" + entries + "[fine]\n";
}
// The smallest line file with `entries` in its body.
std::string line_with(const std::string& entries) {
  return "[generale]\nlunghezza percorso, 20000\n[curve]\n" + entries + "[fine]\n";
}
// Two signals in the same cell: fault 16 on line 5, column 1, the keyword's 7 bytes.
const std::string kFaultyTrain =
    "[generale]\nvelocita, 0, 60\naderenza, 0, 100\nsegnale, 5000, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
    "segnale, 5010, 0, 1,0,0, 0, 0, 1,0,0, 0\n[fine]\n";

std::string range_text(const Json& d) {
  const Json& r = d["range"];
  return std::to_string(static_cast<int>(r["start"]["line"].number)) + ":" +
         std::to_string(static_cast<int>(r["start"]["character"].number)) + "-" +
         std::to_string(static_cast<int>(r["end"]["line"].number)) + ":" +
         std::to_string(static_cast<int>(r["end"]["character"].number));
}

TEST(LspServer, OpenTextTakesPrecedenceOverTheDiskAndAFixClearsIt) {
  TempDir dir;
  write_bytes(dir.file("Monte_linea.txt"), kLine);
  write_bytes(dir.file("Monte_L1-.txt"), kTrain);  // the disk copy is clean
  Editor e;
  e.open(dir.file("Monte_L1-.txt"), kFaultyTrain);
  e.check();
  const Json* published = e.diagnostics(dir.file("Monte_L1-.txt"));
  ASSERT_NE(published, nullptr);
  ASSERT_EQ(published->find("diagnostics")->items.size(), 1u);
  const Json& d = (*published)["diagnostics"].items[0];
  EXPECT_EQ(d["code"].number, 16);
  EXPECT_EQ(d["severity"].number, 1);
  EXPECT_EQ(d["source"].text, "scenario_builder");
  EXPECT_EQ(range_text(d), "4:0-4:7");
  EXPECT_NE(d["message"].text.find("already holds an object (at 5010 m)"), std::string::npos)
      << d["message"].text;
  // The note that names the signal already there.
  ASSERT_EQ(d["relatedInformation"].items.size(), 1u);
  EXPECT_NE(d["relatedInformation"].items[0]["message"].text.find("a signal at 5000 m"),
            std::string::npos);
  EXPECT_NE(d["codeDescription"]["href"].text.find(
                "authoring.md#16-the-signals-cell-already-holds-an-object"),
            std::string::npos)
      << d["codeDescription"]["href"].text;
  EXPECT_EQ((*published)["version"].number, 1);

  e.replace(dir.file("Monte_L1-.txt"), kTrain, 2);
  e.check();
  EXPECT_TRUE(e.diagnostics(dir.file("Monte_L1-.txt"))->find("diagnostics")->items.empty());
  EXPECT_EQ((*e.diagnostics(dir.file("Monte_L1-.txt")))["version"].number, 2);
}

TEST(LspServer, AChangeOfTheLineFileRechecksItsOpenTrainFiles) {
  TempDir dir;
  Editor e;
  // Neither file on disk: the open line file stands for it.
  e.open(dir.file("Monte_linea.txt"), kLine);
  e.open(dir.file("Monte_L1-.txt"), train_with("segnale, 30000, 0, 1,0,0, 0, 0, 1,0,0, 0\n"));
  e.open(dir.file("Altro_L1-.txt"), kTrain);  // another scenario, no line file anywhere
  e.check();
  // 30000 m lies beyond the 20000 m route: fault 15.
  const Json* train = e.diagnostics(dir.file("Monte_L1-.txt"));
  ASSERT_NE(train, nullptr);
  ASSERT_FALSE((*train)["diagnostics"].items.empty());
  EXPECT_EQ((*train)["diagnostics"].items[0]["code"].number, 15);
  // A train file without its line file gets the usual fault.
  const Json* alone = e.diagnostics(dir.file("Altro_L1-.txt"));
  ASSERT_NE(alone, nullptr);
  ASSERT_FALSE((*alone)["diagnostics"].items.empty());
  EXPECT_EQ((*alone)["diagnostics"].items[0]["code"].number, 101);

  e.forget();
  e.replace(dir.file("Monte_linea.txt"), "[generale]\nlunghezza percorso, 40000\n[fine]\n", 2);
  e.check();
  ASSERT_NE(e.diagnostics(dir.file("Monte_L1-.txt")), nullptr);  // checked again
  EXPECT_TRUE((*e.diagnostics(dir.file("Monte_L1-.txt")))["diagnostics"].items.empty());
  EXPECT_EQ(e.diagnostics(dir.file("Altro_L1-.txt")), nullptr);  // another scenario: not
}

TEST(LspServer, ACheckSupersededByAWaitingChangeIsNotPublished) {
  TempDir dir;
  Editor e;
  e.open(dir.file("Monte_linea.txt"), kLine);
  e.check([](const std::string&) { return true; });
  EXPECT_EQ(e.diagnostics(dir.file("Monte_linea.txt")), nullptr);
}

TEST(LspServer, LineFileDiagnosticsAndUnheldCharactersInUtf16Columns) {
  TempDir dir;
  Editor e;
  // "città" fits the code page: one byte per letter in the file, one unit in the editor; the
  // misspelt keyword after it on line 3 is found at the editor's columns.
  e.open(dir.file("Monte_linea.txt"),
         line_with("indicatore cartello, 400, citt\xC3\xA0\npendenzza, 100, 2\n"));
  e.open(
      dir.file("Monte_L1-.txt"),
      train_with("stazione, 800, 28, 300, 0, 0, 0, 0,0,0, 0,0,0, 60, 12,11,1, \xE2\x9C\x93 X\n"));
  e.check();
  const Json& line = (*e.diagnostics(dir.file("Monte_linea.txt")))["diagnostics"];
  ASSERT_EQ(line.items.size(), 1u);
  EXPECT_EQ(line.items[0]["code"].text, "unknown-keyword");
  EXPECT_EQ(range_text(line.items[0]), "4:0-4:9");
  EXPECT_EQ(line.items[0]["severity"].number, 2);
  // A name with a character Windows-1252 cannot hold: the name-encoding warning.
  const Json& train = (*e.diagnostics(dir.file("Monte_L1-.txt")))["diagnostics"];
  bool encoding = false;
  for (const Json& d : train.items) encoding = encoding || d["code"].text == "name-encoding";
  EXPECT_TRUE(encoding);
}

TEST(LspServer, HoverSignatureCompletionOutline) {
  TempDir dir;
  Editor e;
  const std::string train = dir.file("Monte_L1-.txt");
  e.open(dir.file("Monte_linea.txt"), kLine);
  e.open(train, kFaultyTrain);
  e.check();

  // On the keyword of the faulty entry: the explanation of fault 16, and the entry's values.
  const std::string on_keyword =
      e.request("textDocument/hover", e.at(train, 4, 2))["contents"]["value"].text;
  EXPECT_NE(on_keyword.find(std::string(find_explanation("16")->cause).substr(0, 40)),
            std::string::npos)
      << on_keyword;
  EXPECT_NE(on_keyword.find("| 11 | time |"), std::string::npos) << on_keyword;
  // On the position value: its cell.
  const std::string on_position =
      e.request("textDocument/hover", e.at(train, 3, 10))["contents"]["value"].text;
  EXPECT_NE(on_position.find("position p"), std::string::npos) << on_position;
  EXPECT_NE(on_position.find("cell 101, 5000 to 5050 m"), std::string::npos) << on_position;
  EXPECT_TRUE(e.request("textDocument/hover", e.at(train, 0, 3)).is_null());

  // Signature help on the third value (s1): the second parameter after the position.
  const Json help = e.request("textDocument/signatureHelp", e.at(train, 3, 18));
  EXPECT_EQ(help["activeParameter"].number, 2);
  EXPECT_EQ(help["signatures"].items[0]["parameters"].items.size(), 11u);

  // Completion at the start of a train-file line: the train file's keywords as snippets.
  const Json items = e.request("textDocument/completion", e.at(train, 1, 0))["items"];
  bool signal = false, station_line = false, route_length = false;
  for (const Json& item : items.items) {
    if (item["label"].text == "segnale") {
      signal = item["insertText"].text.starts_with("segnale, ${1:position p}, ${2:sx}");
    }
    station_line = station_line || item["label"].text == "[stazioni]";
    route_length = route_length || item["label"].text == "lunghezza percorso";
  }
  EXPECT_TRUE(signal);
  EXPECT_TRUE(station_line);
  EXPECT_FALSE(route_length);  // a line-file keyword

  const Json symbols =
      e.request("textDocument/documentSymbol",
                Json::object().set("textDocument",
                                   Json::object().set("uri", Json::string(uri_of_path(train)))));
  ASSERT_EQ(symbols.items.size(), 2u);
  EXPECT_EQ(symbols.items[0]["name"].text, "signal at 5000 m");
  EXPECT_EQ(range_text(Json::object().set("range", symbols.items[1]["selectionRange"])), "4:0-4:7");
}

// A character inside value `k` (from 1) of `line`: just after the k-th comma and its blank.
std::int64_t value_column(const std::string& line, int k) {
  std::size_t at = 0;
  for (int i = 0; i < k; ++i) at = line.find(',', at) + 1;
  return static_cast<std::int64_t>(at + 1);
}

// The hover of a position value says where the entry lands, by the reader's own rounding
// (halves to even), and the range check's limit on this line.
TEST(LspServer, HoverOnAPositionSaysWhereTheEntryLands) {
  TempDir dir;
  Editor e;
  const std::string line_path = dir.file("Monte_linea.txt");
  const std::string train_path = dir.file("Monte_L1-.txt");
  const std::string line =
      line_with("pendenza, 1000, 5\npendenza, 2500, -3\nmontagna, 3000, 4000, 2\n");
  const std::string train = train_with(
      "velocita, 1000, 80\nsegnale, 5075, 0, 1,0,0, 0, 0, 1,0,0, 0\nabbattimento, 6000, 5\n"
      "rallentamento, 8000, 30, 1000, 0, 0, 0\nsegnale, 14650, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
      "stazione, 15000, 0, 200, 0,0,0, 0,0,0, 0,0,0, 0, 12,10,0, MONTE\n");
  e.open(line_path, line);
  e.open(train_path, train);
  e.check();
  struct Case {
    bool in_train;
    std::int64_t line;
    int value;
    std::vector<std::string> says;
  };
  const std::string limit = "Takes up to 26900 m: the route's 20000 m and its 7000 m run-out";
  const Case cases[] = {
      {true, 7, 1, {"Lands in cell 294, 14650 to 14700 m.", limit}},
      // 5075 / 50 + 1 = 102.5: cell 102, the even one.
      {true, 4, 1, {"Lands in cell 102, 5050 to 5100 m."}},
      {true, 1, 1, {"Holds over cells 0 to 19, 0 to 1000 m, up to the next \"velocita\" entry."}},
      {true, 3, 1, {"Holds from cell 20 (1000 m) to the end of the track table."}},
      {true, 6, 1, {"starts in cell 161, 8000 to 8050 m and ends in cell 181, 9000 to 9050 m."}},
      {true, 6, 3, {"starts in cell 161, 8000 to 8050 m and ends in cell 181, 9000 to 9050 m."}},
      // A station's limit is 800 m before the end.
      {true,
       8,
       1,
       {"On this line: up to 26200 m: the route's 20000 m and its 7000 m run-out, "
        "less 800 m"}},
      {true, 5, 1, {"Lands in cell 120, 5950 to 6000 m, one cell before a signal at 6000 m."}},
      // Not a position: what it takes and becomes, and no cell.
      {true, 7, 2, {"**sx**: value 2 of \"segnale\", a signal.", "Takes 0 to 2 (warning"}},
      {false, 3, 1, {"Holds over cells 20 to 49, 1000 to 2500 m", limit}},
      {false, 5, 1, {"The stretch covers cells 60 to 79, 3000 to 4000 m."}},
      {false, 5, 2, {"The stretch covers cells 60 to 79, 3000 to 4000 m."}},
  };
  for (const Case& c : cases) {
    const std::string& text = c.in_train ? train : line;
    const std::string row = std::string(line_of(text, c.line));
    SCOPED_TRACE(row + " value " + std::to_string(c.value));
    const std::string said =
        e.request("textDocument/hover", e.at(c.in_train ? train_path : line_path, c.line,
                                             value_column(row, c.value)))["contents"]["value"]
            .text;
    for (const std::string& part : c.says) EXPECT_NE(said.find(part), std::string::npos) << said;
    if (c.value == 2 && c.in_train) {
      EXPECT_EQ(said.find("Lands"), std::string::npos) << said;
    }
    EXPECT_EQ(said.find("range check"), std::string::npos) << said;
  }

  // The limit follows the line: a shorter route after the next check.
  e.replace(line_path, "[generale]\nlunghezza percorso, 10000\n[fine]\n", 2);
  e.check();
  const std::string shorter =
      e.request("textDocument/hover", e.at(train_path, 7, 10))["contents"]["value"].text;
  EXPECT_NE(shorter.find("Takes up to 16900 m: the route's 10000 m"), std::string::npos) << shorter;
}

TEST(LspServer, QuickFixesMakeTheObviousEdit) {
  TempDir dir;
  Editor e;
  const std::string line = dir.file("Monte_linea.txt");
  e.open(line, line_with("pendenzza,\t100, 2\n"));
  e.open(dir.file("Monte_L1-.txt"), kTrain);
  e.check();
  const Json diagnostics = (*e.diagnostics(line))["diagnostics"];
  ASSERT_EQ(diagnostics.items.size(), 1u);
  const Json actions =
      e.request("textDocument/codeAction",
                Json::object()
                    .set("textDocument", Json::object().set("uri", Json::string(uri_of_path(line))))
                    .set("range", diagnostics.items[0]["range"])
                    .set("context", Json::object().set("diagnostics", diagnostics)));
  std::vector<std::string> titles, texts;
  for (const Json& a : actions.items) {
    titles.push_back(a["title"].text);
    texts.push_back(a["edit"]["changes"][uri_of_path(line)].items[0]["newText"].text);
  }
  ASSERT_EQ(titles.size(), 2u);
  EXPECT_EQ(titles[0], "Change to \"pendenza\"");
  EXPECT_EQ(texts[0], "pendenza");
  EXPECT_EQ(texts[1], "pendenzza, 100, 2");

  // A line file without "[generale]": fault 102, and the section line is offered first.
  e.replace(line, "lunghezza percorso, 20000\n", 2);
  e.check();
  const Json missing = (*e.diagnostics(line))["diagnostics"];
  ASSERT_FALSE(missing.items.empty());
  EXPECT_EQ(missing.items[0]["code"].number, 102);
  const Json insert =
      e.request("textDocument/codeAction",
                Json::object()
                    .set("textDocument", Json::object().set("uri", Json::string(uri_of_path(line))))
                    .set("range", missing.items[0]["range"])
                    .set("context", Json::object().set("diagnostics", missing)));
  ASSERT_EQ(insert.items.size(), 1u);
  EXPECT_EQ(insert.items[0]["edit"]["changes"][uri_of_path(line)].items[0]["newText"].text,
            "[generale]\n");
}

// Every fault and warning links to its own section of the manual: the heading the anchor is
// made from stands in the manual, and no two share an anchor.
TEST(LspServer, EveryDiagnosticLinksToItsSectionOfTheManual) {
  const std::string manual = read_bytes(std::string(SB_SOURCE_DIR) + "/docs/authoring.md");
  std::set<std::string> anchors;
  for (const FaultInfo& f : kFaults) {
    Diagnostic d;
    d.code = fault_number(f.fault);
    const std::string heading =
        "\n#### " + std::to_string(d.code) + ": " + std::string(f.message) + "\n";
    EXPECT_NE(manual.find(heading), std::string::npos) << heading;
    EXPECT_TRUE(anchors.insert(manual_anchor(d)).second) << manual_anchor(d);
  }
  for (const WarningInfo& w : kWarnings) {
    Diagnostic d;
    d.severity = Severity::kWarning;
    d.warning = w.warning;
    const std::string heading =
        "\n#### " + std::string(w.name) + ": " + std::string(w.summary) + "\n";
    EXPECT_NE(manual.find(heading), std::string::npos) << heading;
    EXPECT_TRUE(anchors.insert(manual_anchor(d)).second) << manual_anchor(d);
  }
  Diagnostic failure;  // a failure of the system: no code, no section
  EXPECT_EQ(manual_anchor(failure), "");
}

// The manual the links point at is a file that exists, wherever the program runs from: the
// Windows folder (docs/ beside the program), an installation (bin/ beside share/doc/), a build
// tree (the source tree's copy); no link at all when there is no manual.
TEST(LspServer, TheManualLinkedIsOneThatExists) {
  TempDir dir;
  const std::string source_manual = dir.file("source/docs/authoring.md");
  make_folders(dir.file("source/docs"));
  write_bytes(source_manual, "# manual\n");
  struct Layout {
    const char* name;
    const char* manual;   // written under the folder, empty for none
    const char* program;  // the program's folder
    const char* found;    // the manual chosen, empty for none
  };
  const Layout layouts[] = {
      {"windows folder", "win/docs/authoring.md", "win", "win/docs/authoring.md"},
      {"installation", "usr/share/doc/scenario_builder/docs/authoring.md", "usr/bin",
       "usr/share/doc/scenario_builder/docs/authoring.md"},
      {"build tree", "", "build", "source/docs/authoring.md"},
  };
  // Paths compared with either separator, as Windows joins them.
  const auto slashes = [](std::string path) {
    for (char& c : path) c = c == '\\' ? '/' : c;
    return path;
  };
  for (const Layout& l : layouts) {
    SCOPED_TRACE(l.name);
    const std::string manual = l.manual[0] == '\0' ? "" : dir.file(l.manual);
    if (!manual.empty()) {
      make_folders(path_folder(manual));
      write_bytes(manual, "# manual\n");
    }
    make_folders(dir.file(l.program));
    EXPECT_EQ(slashes(find_manual(dir.file(l.program), source_manual)), slashes(dir.file(l.found)));
  }
  EXPECT_EQ(find_manual(dir.file("build"), dir.file("gone/docs/authoring.md")), "");

  // Without a manual a diagnostic carries no link, rather than one to a missing file.
  Diagnostic d;
  d.code = fault_number(Fault::kBeyondTrackTable);
  const LineIndex lines("x\n");
  EXPECT_EQ(protocol_diagnostic(d, lines, "file:///a_linea.txt", "").find("codeDescription"),
            nullptr);
  const Json linked = protocol_diagnostic(d, lines, "file:///a_linea.txt", "file:///m.md");
  EXPECT_EQ(linked["codeDescription"]["href"].text, "file:///m.md#" + manual_anchor(d));
}

}  // namespace
}  // namespace sb::test
