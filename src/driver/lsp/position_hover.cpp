#include "driver/lsp/position_hover.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "model/cell_geometry.h"
#include "reader/reader_support.h"

namespace sb {
namespace {

// The keyword table holds copies of the rows: a row is known by its spelling.
bool is(const Keyword& k, const Keyword& row) {
  return k.spelling == row.spelling;
}

// The whole number in field `k` of the entry, as the reader reads a plain number.
std::optional<std::int32_t> number_in(std::string_view line, const EntryLine& entry,
                                      std::size_t k) {
  if (k >= entry.fields.size()) return std::nullopt;
  const LineField& f = entry.fields[k];
  const std::string_view text = line.substr(f.start, f.end - f.start);
  std::int32_t value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

// "cell 101, 5000 to 5050 m": a point object's cell and the stretch of route it stands for.
std::string point_text(std::int32_t n) {
  return "cell " + std::to_string(n) + ", " + cell_range(n);
}

// "cells 100 to 119, 5000 to 6000 m": cells of a running value, cell n from n x 50 on.
std::string stretch_text(std::int32_t first, std::int32_t last) {
  if (first == last) {
    return "cell " + std::to_string(first) + ", " + std::to_string(layer_chainage(first)) + " to " +
           std::to_string(layer_chainage(first + 1)) + " m";
  }
  return "cells " + std::to_string(first) + " to " + std::to_string(last) + ", " +
         std::to_string(layer_chainage(first)) + " to " + std::to_string(layer_chainage(last + 1)) +
         " m";
}

// The position of the next entry of keyword `k` after line `n` of the document.
std::optional<std::int32_t> next_position(const Document& d, std::int64_t n, const Keyword& k) {
  std::optional<std::int32_t> found;
  for_each_entry_line(d.text, d.name.kind,
                      [&](std::int64_t at, std::string_view line, const EntryLine& entry) {
                        if (at <= n || entry.keyword == nullptr || !is(*entry.keyword, k)) {
                          return false;
                        }
                        found = number_in(line, entry, 1);
                        return true;
                      });
  return found;
}

// A running value (gradient, speed, adhesion) from its entry's cell up to the next entry's.
std::string running_text(const Document& d, std::int64_t n, const Keyword& k, std::int32_t p) {
  // A cell before the line's first holds nothing: the value then holds from cell 0.
  const std::int32_t first = std::max(stretch_cell(p), 0);
  const std::string from = "Holds from cell " + std::to_string(first) + " (" +
                           std::to_string(layer_chainage(first)) + " m)";
  const std::optional<std::int32_t> next = next_position(d, n, k);
  if (!next) return from + " to the end of the track table.";
  const std::int32_t upto = stretch_cell(*next);
  if (upto <= first) return from + ", until the next \"" + std::string(k.spelling) + "\" entry.";
  return "Holds over " + stretch_text(first, upto - 1) + ", up to the next \"" +
         std::string(k.spelling) + "\" entry.";
}

}  // namespace

std::string landing_text(const Document& d, std::int64_t n, std::string_view line,
                         const EntryLine& entry, std::size_t index) {
  if (entry.keyword == nullptr) return {};
  const Keyword& k = *entry.keyword;
  const std::optional<std::int32_t> p = number_in(line, entry, 1);
  if (is(k, kw::kSlowOrder) && (index == 1 || index == 3)) {
    // From the start cell round(x / 50 + 1) to the end cell round((x + l) / 50 + 1).
    if (!p) return {};
    std::string text = "The slow order starts in " + point_text(point_cell(*p));
    if (const std::optional<std::int32_t> l = number_in(line, entry, 3)) {
      const double end = point_cell_fraction(static_cast<double>(*p) + *l);
      text += " and ends in " + point_text(round_index(end));
    } else if (index == 3) {
      return {};
    }
    return text + ".";
  }
  if (is(k, kw::kMountainSide) && (index == 1 || index == 2)) {
    // Cells round(start / 50) to round(end / 50 - 1).
    const std::optional<std::int32_t> end = number_in(line, entry, 2);
    if (!p || !end) return {};
    const std::int32_t first = stretch_cell(*p);
    const std::int32_t last = round_index(in_cells(*end) - 1);
    if (last < first) return "The stretch covers no cell: its end is not past its start.";
    return "The stretch covers " + stretch_text(first, last) + ".";
  }
  if (index != 1 || !p) return {};
  if (is(k, kw::kGradient) || is(k, kw::kSpeed) || is(k, kw::kAdhesion)) {
    return running_text(d, n, k, *p);
  }
  if (is(k, kw::kAbbattimentoPoint)) {
    return "Lands in " + point_text(stretch_cell(*p)) + ", one cell before a signal at " +
           std::to_string(*p) + " m.";
  }
  if (is(k, kw::kSignal) || is(k, kw::kSpeedBoard) || is(k, kw::kSignboard)) {
    return "Lands in " + point_text(point_cell(*p)) + ".";
  }
  return {};
}

std::string range_check_text(const TrackExtent& track, int margin_m) {
  const std::string margin = std::to_string(margin_m) + " m";
  if (track.cells <= 0) {
    return "up to " + margin + " before the end of the track table, which covers the route " +
           "length and its " + run_out_text() + " (beyond it, fault 15 ends the reading)";
  }
  return "up to " + std::to_string(last_accepted_position(track.cells, margin_m)) +
         " m: the route's " + std::to_string(track.route_m) + " m and its " + run_out_text() +
         ", less " + margin + " (beyond it, fault 15 ends the reading)";
}

}  // namespace sb
