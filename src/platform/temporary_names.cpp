#include "platform/temporary_names.h"

namespace sb {

std::string temporary_name(const std::string& target, long pid, int attempt) {
  std::string name = target + ".tmp" + std::to_string(pid);
  if (attempt > 0) {
    name += '.';
    name += std::to_string(attempt);
  }
  return name;
}

std::optional<long> temporary_owner(std::string_view entry, std::string_view leaf) {
  const std::string_view mark = ".tmp";
  if (entry.size() <= leaf.size() + mark.size() || entry.substr(0, leaf.size()) != leaf ||
      entry.substr(leaf.size(), mark.size()) != mark) {
    return std::nullopt;
  }
  std::string_view rest = entry.substr(leaf.size() + mark.size());
  long pid = 0;
  std::size_t i = 0;
  for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9' && i < 9; ++i) {
    pid = pid * 10 + (rest[i] - '0');
  }
  if (i == 0 || pid <= 0) return std::nullopt;
  rest.remove_prefix(i);
  if (!rest.empty()) {
    if (rest[0] != '.' || rest.size() == 1) return std::nullopt;
    for (const char c : rest.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
    }
  }
  return pid;
}

}  // namespace sb
