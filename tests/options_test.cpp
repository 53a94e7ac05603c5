// The command line parsed: where each option's value is stored, which commands take which
// option, and the usage errors, word for word.
#include "driver/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb::test {
namespace {

Options parsed(const std::vector<std::string>& args) {
  UsageError error;
  const auto o = parse_options(args, error);
  EXPECT_TRUE(o) << error.message;
  return o.value_or(Options{});
}

TEST(Options, EveryValueAndFlagIsStoredWhereTheCommandReadsIt) {
  const Options c = parsed({"compile", "--dir", "in", "--out=bin", "--no-geometry", "--force", "-v",
                            "--warnings-as-errors", "--no-warnings", "--color", "never",
                            "--diagnostics=json", "--", "-A", "B"});
  EXPECT_EQ(c.mode, Mode::kCompile);
  EXPECT_EQ(c.dir, "in");
  EXPECT_EQ(c.out, "bin");
  EXPECT_TRUE(c.no_geometry);
  EXPECT_TRUE(c.force);
  EXPECT_TRUE(c.verbose);
  EXPECT_TRUE(c.warnings_as_errors);
  EXPECT_TRUE(c.no_warnings);
  EXPECT_EQ(c.color, ColorChoice::kNever);
  EXPECT_TRUE(c.json_diagnostics);
  EXPECT_EQ(c.operands, (std::vector<std::string>{"-A", "B"}));

  // Nothing given: the defaults.
  const Options plain = parsed({"check", "A", "B"});
  EXPECT_FALSE(plain.dir);
  EXPECT_FALSE(plain.out);
  EXPECT_FALSE(plain.no_geometry || plain.force || plain.verbose || plain.warnings_as_errors ||
               plain.no_warnings || plain.json_diagnostics);
  EXPECT_EQ(plain.color, ColorChoice::kAuto);

  EXPECT_TRUE(parsed({"compile", "--verbose", "A", "B"}).verbose);
  EXPECT_EQ(parsed({"check", "--color=always", "A", "B"}).color, ColorChoice::kAlways);
  EXPECT_EQ(parsed({"check", "--color=never", "--color=auto", "A", "B"}).color, ColorChoice::kAuto);
  EXPECT_FALSE(
      parsed({"check", "--diagnostics=json", "--diagnostics", "text", "A", "B"}).json_diagnostics);

  const Options d =
      parsed({"dump", "--type=route", "--all", "--step", "25", "--json", "--units", "x.dat"});
  EXPECT_EQ(d.type, "route");
  EXPECT_TRUE(d.all);
  EXPECT_EQ(d.step, 25);
  EXPECT_TRUE(d.json);
  EXPECT_TRUE(d.units);
  EXPECT_EQ(parsed({"dump", "x.dat"}).step, 1);

  const Options p = parsed({"plan", "-o", "-", "--dir=compiled"});
  EXPECT_EQ(p.out, "-");
  EXPECT_EQ(p.dir, "compiled");

  EXPECT_EQ(parsed({"--dir", "here"}).dir, "here");
  EXPECT_EQ(parsed({"sources", "--dir", "here"}).dir, "here");
  // explain and help accept --dir, and do nothing with it.
  EXPECT_EQ(parsed({"explain", "--dir", "x", "101"}).mode, Mode::kExplain);
  EXPECT_EQ(parsed({"help", "--dir", "x", "dump"}).help_topic, Mode::kDump);
}

TEST(Options, HelpAndVersion) {
  EXPECT_EQ(parsed({"--version", "anything"}).mode, Mode::kVersion);
  EXPECT_EQ(parsed({"-h"}).mode, Mode::kHelp);
  const Options dump_help = parsed({"dump", "--type=route", "--help", "--step=0"});
  EXPECT_EQ(dump_help.mode, Mode::kHelp);
  EXPECT_EQ(dump_help.help_topic, Mode::kDump);
  EXPECT_EQ(parsed({"--dir", "x", "-h"}).help_topic, Mode::kHelp);
  EXPECT_EQ(parsed({"help", "plan"}).help_topic, Mode::kPlan);
  EXPECT_EQ(parsed({"help", "help"}).help_topic, Mode::kHelp);
}

TEST(Options, UsageErrorsWordForWord) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--frobnicate"}, "unknown option \"--frobnicate\""},
      {{"--out", "x"}, "unknown option \"--out\""},
      {{"--version=1"}, "unknown option \"--version\""},
      {{"--dir", "x", "--version"}, "unknown option \"--version\""},
      {{"--help", "compile"}, "unexpected argument \"compile\""},
      {{"sources", "--out", "x"}, "unknown option \"--out\" for sources"},
      {{"compile", "-o", "x", "A", "B"}, "unknown option \"-o\" for compile"},
      {{"compile", "--type", "track", "A", "B"}, "unknown option \"--type\" for compile"},
      {{"check", "--force", "A", "B"}, "unknown option \"--force\" for check"},
      {{"check", "-v", "A", "B"}, "unknown option \"-v\" for check"},
      {{"check", "--verbose", "A", "B"}, "unknown option \"--verbose\" for check"},
      {{"dump", "--dir", "x", "f"}, "unknown option \"--dir\" for dump"},
      {{"dump", "--color=never", "f"}, "unknown option \"--color\" for dump"},
      {{"plan", "--out", "x"}, "unknown option \"--out\" for plan"},
      {{"plan", "--all"}, "unknown option \"--all\" for plan"},
      {{"explain", "--json"}, "unknown option \"--json\" for explain"},
      {{"help", "--force"}, "unknown option \"--force\""},
      {{"compile", "--force=yes", "A", "B"}, "option \"--force\" takes no value"},
      {{"dump", "--all=", "f"}, "option \"--all\" takes no value"},
      {{"compile", "A", "B", "--dir"}, "option \"--dir\" needs a value"},
      {{"dump", "f", "--step"}, "option \"--step\" needs a value"},
      {{"dump", "--type", "cells", "f"}, "--type takes track, stations or route, not \"cells\""},
      {{"dump", "--type=", "f"}, "--type takes track, stations or route, not \"\""},
      {{"dump", "--step=0", "f"}, "--step takes a whole number of metres above 0, not \"0\""},
      {{"dump", "--step", "-3", "f"}, "--step takes a whole number of metres above 0, not \"-3\""},
      {{"dump", "--step", "5m", "f"}, "--step takes a whole number of metres above 0, not \"5m\""},
      {{"check", "--color", "pink", "A", "B"}, "--color takes auto, always or never, not \"pink\""},
      {{"check", "--diagnostics=xml", "A", "B"}, "--diagnostics takes json or text, not \"xml\""},
      {{"dump", "--type=pink", "--help"}, "--type takes track, stations or route, not \"pink\""},
      {{"help", "fly"}, "no help on \"fly\""},
      {{"help", "dump", "plan"}, "unexpected argument \"plan\""},
      {{"plan", "A"}, "plan takes SCENARIO and LINE, or nothing"},
      {{"dump"}, "missing FILE"},
      {{"chek", "A", "B"}, "unknown command \"chek\"; did you mean \"check\"?"},
      {{"help", "compil"}, "no help on \"compil\"; did you mean \"compile\"?"},
      {{"help", "PLAN"}, "no help on \"PLAN\"; did you mean \"plan\"?"},
      {{"check", "--dri", ".", "A", "B"},
       "unknown option \"--dri\" for check; did you mean \"--dir\"?"},
      {{"dump", "--sep=2", "f"}, "unknown option \"--sep\" for dump; did you mean \"--step\"?"},
      {{"compile", "--no-warning", "A", "B"},
       "unknown option \"--no-warning\" for compile; did you mean \"--no-warnings\"?"},
      // Too short to tell which option was meant.
      {{"plan", "-v"}, "unknown option \"-v\" for plan"},
      // Only the options the command takes are offered.
      {{"plan", "--al"}, "unknown option \"--al\" for plan"},
  };
  for (const Case& c : cases) {
    UsageError error;
    EXPECT_FALSE(parse_options(c.args, error)) << c.args[0];
    EXPECT_EQ(error.message, c.message) << c.args[0];
  }
}

}  // namespace
}  // namespace sb::test
