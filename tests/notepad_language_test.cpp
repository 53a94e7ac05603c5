// The Notepad++ user-defined language, editors/notepad++/scenario_builder.xml: a well-formed
// document that Notepad++ can import, which highlights every keyword of the reader's table
// as the reader takes it (in capitals only where the reader minds no case), each part of the
// files in its own keyword group, and section lines as delimiters.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "reader/keywords.h"
#include "test_support.h"
#include "xml_check.h"

namespace sb::test {
namespace {

const std::string kLanguageFile =
    std::string(SB_SOURCE_DIR) + "/editors/notepad++/scenario_builder.xml";

// The words of a keyword list: parted by blanks, a word in double quotes may hold blanks.
std::vector<std::string> list_words(const std::string& text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == '\n' || text[i] == '\r' || text[i] == '\t') {
      ++i;
      continue;
    }
    const bool quoted = text[i] == '"';
    const std::size_t from = quoted ? i + 1 : i;
    std::size_t end = quoted ? text.find('"', from) : text.find_first_of(" \n\r\t", from);
    if (end == std::string::npos) end = text.size();
    words.push_back(text.substr(from, end - from));
    i = quoted ? end + 1 : end;
  }
  return words;
}

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// What the language file says about keywords: its eight groups, whether a group's words are
// prefixes, and whether case is ignored.
struct Language {
  XmlElement root;
  const XmlElement* user_lang = nullptr;
  std::vector<std::string> groups[9];  // Keywords1 to Keywords8; [0] unused
  bool prefix[9] = {};
  bool case_ignored = false;

  const XmlElement* keyword_list(std::string_view name) const {
    const XmlElement* lists = user_lang->child("KeywordLists");
    if (!lists) return nullptr;
    for (const auto& k : lists->children) {
      if (k->name == "Keywords" && k->attribute("name") == name) return k.get();
    }
    return nullptr;
  }

  // The group that highlights `word` as Notepad++ matches a keyword group: the whole word, or
  // a word that begins with the group's word when the group is in prefix mode; 0 for none.
  int group_of(std::string_view word) const {
    const auto fold = [&](std::string_view s) { return case_ignored ? upper(s) : std::string(s); };
    const std::string w = fold(word);
    for (int g = 1; g <= 8; ++g) {
      for (const std::string& listed : groups[g]) {
        const std::string k = fold(listed);
        if (w == k || (prefix[g] && w.rfind(k, 0) == 0)) return g;
      }
    }
    return 0;
  }
};

// Reads the file; the test fails when it is not a well-formed user-defined language.
void read_language(Language& lang) {
  const std::string text = read_bytes(kLanguageFile);
  ASSERT_EQ(xml_problem(text, &lang.root), "") << kLanguageFile;
  ASSERT_EQ(lang.root.name, "NotepadPlus");
  lang.user_lang = lang.root.child("UserLang");
  ASSERT_NE(lang.user_lang, nullptr);
  EXPECT_EQ(lang.user_lang->attribute("name"), "scenario_builder");
  // Both kinds of file end in .txt like every other text file: the language claims no
  // extension, or Notepad++ would take every .txt file for a scenario.
  EXPECT_EQ(lang.user_lang->attribute("ext"), "");
  const XmlElement* settings = lang.user_lang->child("Settings");
  ASSERT_NE(settings, nullptr);
  const XmlElement* global = settings->child("Global");
  const XmlElement* prefix = settings->child("Prefix");
  ASSERT_NE(global, nullptr);
  ASSERT_NE(prefix, nullptr);
  lang.case_ignored = global->attribute("caseIgnored") == "yes";
  for (int g = 1; g <= 8; ++g) {
    const std::string name = "Keywords" + std::to_string(g);
    lang.prefix[g] = prefix->attribute(name) == "yes";
    const XmlElement* list = lang.keyword_list(name);
    ASSERT_NE(list, nullptr) << "no keyword list " << name;
    lang.groups[g] = list_words(list->text);
  }
}

int group_of_pass(Pass pass) {
  switch (pass) {
    case Pass::kGeneral:
      return 1;
    case Pass::kBody:
      return 2;
    case Pass::kTrain:
      return 3;
  }
  return 0;
}

TEST(NotepadLanguage, HighlightsEveryKeywordAsTheReaderTakesIt) {
  Language lang;
  ASSERT_NO_FATAL_FAILURE(read_language(lang));
  for (const Keyword& k : kKeywords) {
    const std::string spelling(k.spelling);
    const int group = group_of_pass(k.pass);
    EXPECT_EQ(lang.group_of(spelling), group) << '"' << spelling << "\" in Keywords" << group;
    // In capitals a keyword is highlighted only when the reader takes it so.
    EXPECT_EQ(lang.group_of(upper(spelling)), k.case_sensitive ? 0 : group)
        << '"' << upper(spelling) << '"';
  }
}

TEST(NotepadLanguage, MarksSectionLinesAsDelimiters) {
  Language lang;
  ASSERT_NO_FATAL_FAILURE(read_language(lang));
  const XmlElement* delimiters = lang.keyword_list("Delimiters");
  ASSERT_NE(delimiters, nullptr);
  // "00" opens the first delimiter, "02" closes it.
  const std::vector<std::string> words = list_words(delimiters->text);
  EXPECT_NE(std::find(words.begin(), words.end(), "00["), words.end()) << delimiters->text;
  EXPECT_NE(std::find(words.begin(), words.end(), "02]"), words.end()) << delimiters->text;
}

}  // namespace
}  // namespace sb::test
