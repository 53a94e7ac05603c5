#include "model/file_names.h"

#include "platform/files.h"

namespace sb {

std::optional<std::string> file_name_part_problem(std::string_view name) {
  if (name.empty()) return "it is empty";
  if (name == "." || name == "..") {
    return "it is \"" + std::string(name) + "\", which stands for a folder";
  }
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '/') return "it holds \"/\", which separates folders";
    if (c == '\\') return "it holds \"\\\", which separates folders on some systems";
    // The compiled files go to Windows, whose file names cannot hold these; ":" would even name
    // a drive or a hidden stream of another file there.
    if (std::string_view(":*?\"<>|").find(ch) != std::string_view::npos) {
      return std::string("it holds \"") + ch + "\", which Windows does not allow in a file name";
    }
    if (c < 0x20 || c == 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      return std::string("it holds the control character \\x") + kHex[c >> 4] + kHex[c & 0xF];
    }
  }
  return std::nullopt;
}

std::string line_file_leaf(const std::string& scenario) {
  return scenario + "_linea.txt";
}
std::string train_file_leaf(const std::string& scenario, const std::string& line) {
  return scenario + "_" + line + "-.txt";
}
std::string route_matrix_file_leaf(const std::string& scenario) {
  return scenario + "_linea.dat";
}
std::string station_file_leaf(const std::string& scenario, const std::string& line) {
  return scenario + "_" + line + ".sim";
}
std::string track_file_leaf(const std::string& scenario, const std::string& line) {
  return scenario + "_" + line + ".dat";
}

std::string line_file_name(const Scenario& s) {
  return join_path(s.source_folder, line_file_leaf(s.scenario_name));
}
std::string train_file_name(const Scenario& s) {
  return join_path(s.source_folder, train_file_leaf(s.scenario_name, s.line_name));
}
std::string train_card_name(const Scenario& s) {
  return join_path(s.source_folder, s.scenario_name + "_" + s.line_name + "_scheda_treno.txt");
}
std::string notes_file_name(const Scenario& s) {
  return join_path(s.source_folder, s.scenario_name + "_" + s.line_name + "_note.txt");
}
std::string slow_order_file_name(const Scenario& s) {
  return join_path(s.source_folder, s.scenario_name + "_" + s.line_name + "_rallentamenti.txt");
}
std::string route_matrix_file_name(const Scenario& s) {
  return join_path(s.output_folder, route_matrix_file_leaf(s.scenario_name));
}
std::string station_file_name(const Scenario& s) {
  return join_path(s.output_folder, station_file_leaf(s.scenario_name, s.line_name));
}
std::string track_file_name(const Scenario& s) {
  return join_path(s.output_folder, track_file_leaf(s.scenario_name, s.line_name));
}

}  // namespace sb
