// The fault table: every fault has one complete row and keeps the number it has always been
// reported with, `explain` answers every number, and the diagnostics take a fault's message
// and its JSON code from its row.
#include "model/faults.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "driver/diagnostics.h"
#include "driver/lsp/json.h"
#include "test_support.h"

namespace sb::test {
namespace {

// The number each fault is reported with. Authors, scripts and the error stop's " Errore n."
// know them, so none may change. The switch has no default: a fault added to the enum and
// not here draws a -Wswitch warning.
std::int32_t reported_number(Fault f) {
  switch (f) {
    case Fault::kRouteTooLong:
      return 1;
    case Fault::kChainageNotMultiple:
      return 2;
    case Fault::kRepetitionFirstNotMultiple:
      return 3;
    case Fault::kRepetitionSecondNotMultiple:
      return 4;
    case Fault::kRepetitionWithoutCodes:
      return 5;
    case Fault::kSignboardCellTaken:
      return 6;
    case Fault::kAbbattimentoCellTaken:
      return 7;
    case Fault::kStationNotMultiple:
      return 8;
    case Fault::kPlatformNotMultiple:
      return 9;
    case Fault::kStationTableFull:
      return 10;
    case Fault::kNoRoomBeforeSignal:
      return 11;
    case Fault::kNoRoomBeforeSlowOrder:
      return 12;
    case Fault::kNoRoomAlongSlowOrder:
      return 13;
    case Fault::kBeyondTrackTable:
      return 15;
    case Fault::kSignalCellTaken:
      return 16;
    case Fault::kWarningBoardCellTaken:
      return 17;
    case Fault::kSlowOrderStartCellTaken:
      return 18;
    case Fault::kSlowOrderEndCellTaken:
      return 19;
    case Fault::kPreWarningCellTaken:
      return 20;
    case Fault::kSpeedBoardCellTaken:
      return 21;
    case Fault::kPlatformsTooClose:
      return 22;
    case Fault::kStopTooEarly:
      return 24;
    case Fault::kUnreadable:
      return 25;
    case Fault::kNoLineFile:
      return 101;
    case Fault::kNoGeneralSection:
      return 102;
    case Fault::kBadCurve:
      return 103;
    case Fault::kHeaderMarkerSet:
      return 1250;
    case Fault::kHeaderCodeSet:
      return 1251;
  }
  return 0;
}

TEST(FaultTable, HasARowForExactlyTheNumbersThatNameAFault) {
  // Past the largest number: a value that names no fault falls through the switch to 0.
  for (std::int32_t n = 0; n <= 2000; ++n) {
    const auto f = static_cast<Fault>(n);
    const bool named = n != 0 && reported_number(f) == n;
    const FaultInfo* row = find_fault(n);
    ASSERT_EQ(row != nullptr, named) << "number " << n;
    if (row != nullptr) {
      EXPECT_EQ(row->fault, f) << "number " << n;
    }
  }
}

TEST(FaultTable, RowsAreCompleteUniqueAndInIncreasingOrder) {
  std::set<std::int32_t> numbers;
  std::int32_t previous = 0;
  for (const FaultInfo& row : kFaults) {
    const std::int32_t n = fault_number(row.fault);
    EXPECT_EQ(n, reported_number(row.fault));
    EXPECT_TRUE(numbers.insert(n).second) << "number " << n << " has two rows";
    EXPECT_GT(n, previous) << "number " << n << " is out of order";
    previous = n;
    // The message is one line, which " (at P m)" may follow: no line break, no full stop.
    EXPECT_FALSE(row.message.empty()) << n;
    EXPECT_EQ(row.message.find('\n'), std::string_view::npos) << n;
    EXPECT_NE(row.message.back(), '.') << n;
    EXPECT_GT(row.cause.size(), 40u) << n;
    EXPECT_GT(row.fix.size(), 20u) << n;
    const ExampleScenario& x = row.example;
    EXPECT_TRUE(x.no_line_file || !x.line_file.empty() || !x.train_file.empty())
        << n << ": the example shows no file";
  }
}

TEST(FaultTable, ExplainAnswersEveryFaultNumberWithItsRow) {
  TempDir dir;
  for (const FaultInfo& row : kFaults) {
    const std::string n = std::to_string(fault_number(row.fault));
    const ProgramResult r = run_program({"explain", n}, dir.path());
    EXPECT_EQ(r.status, 0) << n << "\n" << r.err;
    EXPECT_EQ(r.out.rfind("error " + n + ": " + std::string(row.message) + "\n", 0), 0u) << r.out;
    EXPECT_TRUE(r.err.empty()) << n << "\n" << r.err;
  }
}

TEST(FaultTable, DiagnosticsTakeAFaultsMessageAndCodeFromItsRow) {
  Diagnostic fault;  // a fault without words of its own
  fault.code = fault_number(Fault::kStopTooEarly);
  fault.position = 0;
  Diagnostic warning;
  warning.severity = Severity::kWarning;
  warning.warning = Warning::kListStart;
  warning.message = "the speed list starts at 1000 m";
  const std::string failure = "cannot write 'Prova_L1.sim': No space left on device";
  std::ostringstream out;
  report_diagnostics({fault, warning}, {.json = true}, out, &failure);

  const Json items = parse_json(out.str());
  ASSERT_EQ(items.items.size(), 3u) << out.str();
  EXPECT_EQ(items.items[0]["code"].number, 24);
  EXPECT_EQ(items.items[0]["message"].text, "the station's stop would fall at or before 50 m");
  EXPECT_TRUE(items.items[1]["code"].is_null());
  // A failure of the system is an error that no fault stands for.
  EXPECT_EQ(items.items[2]["severity"].text, "error");
  EXPECT_TRUE(items.items[2]["code"].is_null());
  EXPECT_EQ(items.items[2]["message"].text, failure);

  EXPECT_EQ(format_diagnostic(fault),
            "scenario_builder: error 24: the station's stop would fall at or before 50 m (at 0 m)"
            "\n");
}

}  // namespace
}  // namespace sb::test
