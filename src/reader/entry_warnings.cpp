#include "reader/entry_warnings.h"

#include <algorithm>
#include <vector>

#include "model/cell_geometry.h"
#include "model/code_page.h"
#include "model/edit_distance.h"
#include "model/quoting.h"
#include "reader/text_match.h"

namespace sb {
namespace {

std::string_view trimmed(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = field.find_last_not_of(' ');
  return field.substr(first, last - first + 1);
}

bool in_part(const Keyword& k, FilePart part) {
  switch (part) {
    case FilePart::kLineGeneral:
      return k.pass == Pass::kGeneral;
    case FilePart::kLineBody:
      return k.pass == Pass::kBody;
    case FilePart::kTrain:
      return k.pass == Pass::kTrain;
  }
  return false;
}

bool in_file(const Keyword& k, FilePart part) {
  return part == FilePart::kTrain ? k.pass == Pass::kTrain : k.pass != Pass::kTrain;
}

// The spellings an author may have meant: every keyword, and each curve class on each side.
std::vector<std::string> spellings(FilePart part) {
  std::vector<std::string> out;
  for (const Keyword& k : kKeywords) {
    if (!in_part(k, part)) continue;
    if (k.first == kw::kCurve.first) {
      for (const char side : {'d', 's'}) {
        for (char digit = '1'; digit <= '6'; ++digit)
          out.push_back(std::string(k.first) + side + digit);
      }
    } else {
      out.emplace_back(k.spelling);
    }
  }
  return out;
}

std::string part_name(FilePart part) {
  switch (part) {
    case FilePart::kLineGeneral:
      return "the line file's general section";
    case FilePart::kLineBody:
      return "the line file after its general section";
    case FilePart::kTrain:
      return "the train file";
  }
  return "";
}

}  // namespace

std::string_view closest_keyword(std::string_view field, FilePart part) {
  static const std::vector<std::string> kSpellings[3] = {spellings(FilePart::kLineGeneral),
                                                         spellings(FilePart::kLineBody),
                                                         spellings(FilePart::kTrain)};
  const std::string_view word = trimmed(field);
  if (word.empty()) return {};
  const std::size_t limit = std::max<std::size_t>(1, std::min<std::size_t>(3, word.size() / 4));
  std::string_view best;
  std::size_t best_distance = limit + 1;
  for (const std::string& s : kSpellings[static_cast<int>(part)]) {
    const std::size_t d = edit_distance(word, s, limit);
    if (d < best_distance) {
      best_distance = d;
      best = s;
    }
  }
  return best;
}

bool looks_like(std::string_view field, std::string_view word) {
  return edit_distance(trimmed(field), word, 2) <= 2;
}

void SkippedFields::entry_read(std::int64_t line, const ReadPosition& at) {
  entry_line_ = line;
  entry_end_line_ = std::max(line, at.field.line);
  entry_keyword_ = at.keyword;
  entry_values_ = at.values;
}

void SkippedFields::skipped(Scenario& s, std::string_view field) {
  const ReadPosition& at = s.diagnostics.where;
  const std::int64_t line = at.field.line;
  const std::string_view word = trimmed(field);
  if (word.empty() || contains(field, "-") || (contains(field, "[") && contains(field, "]"))) {
    return;
  }
  if (line == quiet_line_) return;
  quiet_line_ = line;  // one warning a line: the fields after it on the line follow from it

  if (line == entry_line_) {
    warn(s, Warning::kUnknownKeyword,
         quoted(field) + " after the " + std::to_string(entry_values_) + " values of \"" +
             std::string(entry_keyword_) +
             "\" is skipped: the entry has a value too many, or a text holds a comma");
    return;
  }
  if (line == entry_end_line_ && line > entry_line_) {
    warn(s, Warning::kUnknownKeyword,
         quoted(field) + " and the rest of line " + std::to_string(line) + " are skipped: the \"" +
             std::string(entry_keyword_) + "\" entry of line " + std::to_string(entry_line_) +
             " read the start of this line as its last value, so the entry written here is lost");
    return;
  }
  // A keyword of the other part of the line file, or of the other file.
  for (const Keyword& k : kKeywords) {
    if (in_part(k, part_) || !matches_keyword(k, field)) continue;
    if (in_file(k, part_)) {
      const bool general = k.pass == Pass::kGeneral;
      warn(s, Warning::kMisplacedEntry,
           general ? quoted(field) +
                         " is an entry of the general section and is not recognised after "
                         "it; move it up, between \"[generale]\" and the next section line"
                   : quoted(field) +
                         " is not recognised inside the general section; move it below the "
                         "section line that ends it");
    } else {
      warn(s, Warning::kUnknownKeyword,
           quoted(field) + " is skipped: \"" + std::string(k.spelling) + "\" is an entry of " +
               (k.pass == Pass::kTrain ? "the train file" : "the line file"));
    }
    return;
  }
  // A case-sensitive keyword written with other capitals.
  if (part_ == FilePart::kLineGeneral) {
    for (const Keyword& k : kKeywords) {
      if (k.pass == Pass::kGeneral && k.case_sensitive && matches_keyword(k, field, false)) {
        warn(s, Warning::kKeywordCase,
             quoted(field) + " is not recognised: \"" + std::string(k.spelling) +
                 "\" must be written in lower case");
        return;
      }
    }
  }
  std::string message = "unknown keyword " + quoted(field) + " skipped";
  const std::string_view close = closest_keyword(field, part_);
  if (!close.empty()) {
    message += "; did you mean \"" + std::string(close) + "\"?";
  } else if (part_ != FilePart::kTrain) {
    message += " in " + part_name(part_);
  }
  warn(s, Warning::kUnknownKeyword, message);
}

void check_run_out(Scenario& s, std::string_view keyword, std::int32_t p) {
  const std::int32_t length = s.station_table[kTrainDataSlot].end_m;
  if (p <= length) return;
  warn(s, Warning::kInRunOut,
       "\"" + std::string(keyword) + "\" at " + std::to_string(p) +
           " m lies beyond the end of the route at " + std::to_string(length) + " m, in the " +
           run_out_text());
}

void check_name(Scenario& s, std::string_view name, const std::string& what,
                std::int64_t entry_line, std::int64_t name_line) {
  // A name taken from a later line is the entry's fault: the warning points at the entry.
  const ReadPosition& at = s.diagnostics.where;
  const SourceSpot spot = spot_of(at, name_line > entry_line ? at.entry : at.field);
  const auto warn = [&](Warning w, std::string message) {
    sb::warn(s, w, std::move(message), spot);
  };
  const std::string_view word = trimmed(name);
  bool number = !word.empty();
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    number = number && ((c >= '0' && c <= '9') || (i == 0 && (c == '-' || c == '+')));
  }
  if (word.empty() && name_line == entry_line) {
    warn(Warning::kSuspiciousName,
         "the text of " + what + " is empty: the entry has a value too few, or a comma too many");
  } else if (name_line > entry_line) {
    warn(Warning::kSuspiciousName, "the text of " + what + " is " + quoted(name) +
                                       ", read from line " + std::to_string(name_line) +
                                       ": the entry has a value too few");
  } else if (number) {
    warn(Warning::kSuspiciousName, "the text of " + what + " is the number " + quoted(name) +
                                       ": the entry has a value too many");
  } else if (contains(name, "[") && contains(name, "]")) {
    warn(Warning::kSuspiciousName, "the text of " + what + " is the section line " + quoted(name) +
                                       ": the entry has a value too few");
  }
  if (holds_utf8_characters(name)) {
    // What the author typed, read as UTF-8, beside what the simulator makes of the same bytes.
    warn(Warning::kNameEncoding,
         "the text of " + what + ", " + quoted_utf8(name) +
             ", is written in UTF-8; the simulator reads names in the single-byte code page "
             "Windows-1252 and would show it as " +
             quoted(name) + ": save the file in Windows-1252");
  }
  bool control = false;
  for (const char c : name) control = control || static_cast<unsigned char>(c) < 32 || c == 127;
  if (control || (!name.empty() && name.back() == ' ')) {
    warn(Warning::kNameCharacters, "the text of " + what + ", " + quoted(name) + ", " +
                                       (control ? "holds control characters" : "ends in blanks") +
                                       ", which are stored with it");
  }
}

}  // namespace sb
