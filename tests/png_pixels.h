// Decoding a PNG picture into its pixels, for the tests that look at a rendered plan: 8-bit
// RGB or RGBA, not interlaced (what a browser's screenshot is), through zlib.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace sb::test {

struct Pixels {
  std::size_t width = 0, height = 0, channels = 0;
  std::vector<std::uint8_t> data;  // row by row, `channels` bytes per pixel

  const std::uint8_t* at(std::size_t x, std::size_t y) const {
    return &data[(y * width + x) * channels];
  }
};

inline Pixels decode_png(const std::string& png) {
  auto fail = [](const std::string& what) { throw std::runtime_error("PNG: " + what); };
  auto u32 = [&](std::size_t at) {
    if (at + 4 > png.size()) fail("cut short");
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v = v << 8 | static_cast<std::uint8_t>(png[at + k]);
    return v;
  };
  if (png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) fail("no signature");
  Pixels p;
  std::string compressed;
  for (std::size_t at = 8; at + 8 <= png.size();) {
    const std::uint32_t length = u32(at);
    const std::string type = png.substr(at + 4, 4);
    if (at + 12 + length > png.size()) fail("chunk cut short");
    const std::string body = png.substr(at + 8, length);
    if (type == "IHDR") {
      p.width = u32(at + 8);
      p.height = u32(at + 12);
      const int depth = static_cast<std::uint8_t>(body[8]),
                colour = static_cast<std::uint8_t>(body[9]);
      if (depth != 8 || (colour != 2 && colour != 6) || body[12] != 0) fail("unsupported format");
      p.channels = colour == 6 ? 4 : 3;
    } else if (type == "IDAT") {
      compressed += body;
    } else if (type == "IEND") {
      break;
    }
    at += 12 + length;
  }
  const std::size_t stride = p.width * p.channels;
  std::vector<std::uint8_t> raw((stride + 1) * p.height);
  uLongf size = static_cast<uLongf>(raw.size());
  if (p.width == 0 ||
      uncompress(raw.data(), &size, reinterpret_cast<const Bytef*>(compressed.data()),
                 static_cast<uLong>(compressed.size())) != Z_OK ||
      size != raw.size()) {
    fail("image data does not inflate to its size");
  }
  // Undo the per-row filters (none, sub, up, average, Paeth).
  p.data.resize(stride * p.height);
  for (std::size_t y = 0; y < p.height; ++y) {
    const std::uint8_t filter = raw[y * (stride + 1)];
    const std::uint8_t* in = &raw[y * (stride + 1) + 1];
    std::uint8_t* out = &p.data[y * stride];
    const std::uint8_t* up = y > 0 ? &p.data[(y - 1) * stride] : nullptr;
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= p.channels ? out[i - p.channels] : 0;
      const int b = up ? up[i] : 0;
      const int c = up && i >= p.channels ? up[i - p.channels] : 0;
      int predictor = 0;
      switch (filter) {
        case 0:
          predictor = 0;
          break;
        case 1:
          predictor = a;
          break;
        case 2:
          predictor = b;
          break;
        case 3:
          predictor = (a + b) / 2;
          break;
        case 4: {
          const int estimate = a + b - c;
          const int pa = std::abs(estimate - a), pb = std::abs(estimate - b),
                    pc = std::abs(estimate - c);
          predictor = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
          break;
        }
        default:
          fail("unknown row filter");
      }
      out[i] = static_cast<std::uint8_t>(in[i] + predictor);
    }
  }
  return p;
}

}  // namespace sb::test
