// The writing procedure shared by the five scenario text file writers: a table of 1001 text
// slots closed by an end marker, written one line per slot with carriage return and line feed.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace sb {

inline constexpr std::string_view kEndMarker = "riferimento fine del file";
inline constexpr std::size_t kLineTableSlots = 1001;

class LineTable {
 public:
  // Fills the table from slot 0 with `lines` and puts the end marker after them. More than
  // 1000 lines do not fit (std::length_error); a line equal to the end marker cannot be
  // written (std::invalid_argument).
  explicit LineTable(std::span<const std::string_view> lines);

  // The file's bytes: every slot before the end marker followed by CR LF.
  std::string text() const;

 private:
  std::array<std::string_view, kLineTableSlots> slots_{};
};

// Replaces the file at `path` with the lines of `lines`. A table that cannot be filled is
// refused before the file is touched.
void write_text_file(const std::string& path, std::span<const std::string_view> lines);

}  // namespace sb
