#include "viewer/decompile_text.h"

#include <algorithm>
#include <vector>

namespace sb {
namespace {

constexpr const char* kEnd = "\r\n";

// One section's entries: the keyword of each row, its numbers right-aligned in columns as
// wide as the widest of the section, and an optional text last (never padded: the reader
// keeps blanks at its end).
class Rows {
 public:
  void add(std::string keyword, std::vector<std::int64_t> numbers,
           const std::string* text = nullptr) {
    Row r{std::move(keyword), {}, text != nullptr, text != nullptr ? *text : std::string()};
    for (std::int64_t n : numbers) r.numbers.push_back(std::to_string(n));
    rows_.push_back(std::move(r));
  }

  void write(std::string& out) const {
    std::size_t keyword = 0;
    std::vector<std::size_t> width;
    for (const Row& r : rows_) {
      keyword = std::max(keyword, r.keyword.size());
      if (width.size() < r.numbers.size()) width.resize(r.numbers.size(), 0);
      for (std::size_t k = 0; k < r.numbers.size(); ++k) {
        width[k] = std::max(width[k], r.numbers[k].size());
      }
    }
    for (const Row& r : rows_) {
      std::string line = r.keyword + ",";
      line.append(keyword - r.keyword.size(), ' ');
      for (std::size_t k = 0; k < r.numbers.size(); ++k) {
        line += (k == 0 ? " " : ", ");
        line.append(width[k] - r.numbers[k].size(), ' ');
        line += r.numbers[k];
      }
      if (r.has_text) line += ", " + r.text;
      out += line + kEnd;
    }
  }

 private:
  struct Row {
    std::string keyword;
    std::vector<std::string> numbers;
    bool has_text = false;
    std::string text;
  };
  std::vector<Row> rows_;
};

void section(std::string& out, const char* name, const Rows& rows) {
  out += std::string(name) + kEnd;
  rows.write(out);
}

}  // namespace

std::string decompiled_line_file(const DecompiledEntries& d) {
  const LineEntries& l = d.line;
  std::string out;
  Rows general;
  general.add("lunghezza percorso", {l.route_length});
  const char* words[] = {"uno", "due", "tre"};
  for (std::size_t k = 0; k < 3; ++k) {
    general.add(std::string("progressiva chilometrica ") + words[k],
                {l.chainage[k][0], l.chainage[k][1], l.chainage[k][2]});
  }
  for (std::size_t k = 0; k < 3; ++k)
    general.add(std::string("sfondo ") + words[k], {l.background[k]});
  general.add(std::string("ripetizione segnali ") + l.repetition_codes + " codici",
              {l.repetition[0], l.repetition[1]});
  section(out, "[generale]", general);

  Rows curves;
  for (const CurveEntry& c : l.curves) {
    curves.add(std::string(c.left ? "curvas" : "curvad") + static_cast<char>('0' + c.curve_class),
               {c.position, c.length});
  }
  section(out, "[curve]", curves);
  Rows gradients;
  for (const PlacedValue& g : l.gradients) gradients.add("pendenza", {g.position, g.value});
  section(out, "[pendenze]", gradients);
  Rows stretches;
  for (const StretchEntry& m : l.stretches) stretches.add("montagna", {m.inizio, m.fine, m.tipo});
  section(out, "[montagne]", stretches);
  Rows boards;
  for (const SpeedBoardEntry& b : l.speed_boards) {
    std::vector<std::int64_t> v{b.position};
    v.insert(v.end(), b.values.begin(), b.values.end());
    boards.add("indicatori_vmax", v);
  }
  section(out, "[cartelli]", boards);
  Rows signboards;
  for (const SignboardEntry& b : l.signboards) {
    signboards.add("indicatore cartello", {b.position}, &b.text);
  }
  section(out, "[indicazioni]", signboards);
  out += std::string("[fine]") + kEnd;
  return out;
}

std::string decompiled_train_file(const DecompiledEntries& d) {
  const TrainEntries& t = d.train;
  std::string out;
  Rows general;
  general.add("numero vetture", {t.cars});
  general.add("percentuale massa frenata", {t.braked_mass});
  general.add("sabbia", {t.sand});
  general.add("orologio", {t.clock[0], t.clock[1], t.clock[2]});
  section(out, "[generale]", general);
  Rows adhesion;
  for (const PlacedValue& a : t.adhesion) adhesion.add("aderenza", {a.position, a.value});
  section(out, "[aderenze]", adhesion);
  Rows speed;
  for (const PlacedValue& v : t.speed) speed.add("velocita", {v.position, v.value});
  section(out, "[vel_limite]", speed);
  // Stations and signals in the order found for their approach marks: a section line
  // wherever the kind changes.
  std::size_t k = 0;
  while (k < t.marked_order.size()) {
    const bool station = t.marked_order[k].station;
    Rows rows;
    for (; k < t.marked_order.size() && t.marked_order[k].station == station; ++k) {
      const std::size_t i = t.marked_order[k].index;
      if (station) {
        const StationEntry& e = t.stations[i];
        rows.add("stazione", {e.values.begin(), e.values.end()}, &e.name);
      } else {
        const SignalEntry& e = t.signals[i];
        rows.add("segnale", {e.values.begin(), e.values.end()});
      }
    }
    section(out, station ? "[stazioni]" : "[segnali]", rows);
  }
  Rows slow;
  for (const SlowOrderEntry& e : t.slow_orders)
    slow.add("rallentamento", {e.values.begin(), e.values.end()});
  section(out, "[rallentamenti]", slow);
  Rows points;
  for (const PlacedValue& p : t.abbattimenti) points.add("abbattimento", {p.position, p.value});
  section(out, "[codici]", points);
  out += std::string("[fine]") + kEnd;
  return out;
}

}  // namespace sb
