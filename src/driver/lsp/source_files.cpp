#include "driver/lsp/source_files.h"

namespace sb {
namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr std::string_view kLineSuffix = "_linea.txt";
constexpr std::string_view kTrainSuffix = "-.txt";

}  // namespace

std::optional<std::string> path_of_uri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (!uri.starts_with(kScheme)) return std::nullopt;
  uri.remove_prefix(kScheme.size());
  // "file://host/path": only the local host, written as nothing or "localhost".
  if (uri.starts_with("localhost/")) uri.remove_prefix(9);
  if (!uri.starts_with('/')) return std::nullopt;
  std::string path;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() + 0 && hex_value(uri[i + 1]) >= 0 &&
        hex_value(uri[i + 2]) >= 0) {
      path += static_cast<char>(hex_value(uri[i + 1]) * 16 + hex_value(uri[i + 2]));
      i += 2;
    } else {
      path += uri[i];
    }
  }
  // "/C:/folder" is the Windows path "C:/folder".
  if (path.size() >= 3 && path[0] == '/' && path[2] == ':') path.erase(0, 1);
  return path;
}

std::string uri_of_path(std::string_view path) {
  std::string uri = "file://";
  if (!path.starts_with('/')) uri += '/';
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : path) {
    const auto b = static_cast<unsigned char>(c);
    const bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      uri += c;
    } else if (c == '\\') {
      uri += '/';
    } else {
      uri += '%';
      uri += kHex[b >> 4];
      uri += kHex[b & 15];
    }
  }
  return uri;
}

SourceName source_name(std::string_view path,
                       const std::function<bool(const std::string&)>& line_file_known) {
  SourceName n;
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t leaf_start = slash == std::string_view::npos ? 0 : slash + 1;
  n.folder = std::string(path.substr(0, leaf_start));
  const std::string_view leaf = path.substr(leaf_start);
  if (leaf.size() > kLineSuffix.size() && leaf.ends_with(kLineSuffix)) {
    n.kind = SourceKind::kLine;
    n.scenario = std::string(leaf.substr(0, leaf.size() - kLineSuffix.size()));
    return n;
  }
  if (!leaf.ends_with(kTrainSuffix)) return n;
  const std::string_view stem = leaf.substr(0, leaf.size() - kTrainSuffix.size());
  std::size_t split = stem.find('_');
  if (split == std::string_view::npos || split == 0) return n;
  if (line_file_known) {
    for (std::size_t at = stem.find('_', split + 1); at != std::string_view::npos;
         at = stem.find('_', at + 1)) {
      if (line_file_known(n.folder + std::string(stem.substr(0, at)) + std::string(kLineSuffix))) {
        split = at;
      }
    }
  }
  n.kind = SourceKind::kTrain;
  n.scenario = std::string(stem.substr(0, split));
  n.line = std::string(stem.substr(split + 1));
  return n;
}

}  // namespace sb
