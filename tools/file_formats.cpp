// PNG output through libpng, WAV output through tools/wav_file.h.
#include "tools/file_formats.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "runtime/display/default_palette.h"
#include "tools/wav_file.h"

namespace kelvo::assets {
namespace {

void append_bytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  const size_t old = out->size();
  out->resize(old + length);
  if (length) std::memcpy(out->data() + old, data, length);
}

void flush_nothing(png_structp) {}

}  // namespace

std::vector<uint8_t> encode_png(const Canvas& image) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) throw std::runtime_error("png_create_write_struct failed");
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("PNG encoding failed");
  }
  png_set_write_fn(png, &out, append_bytes, flush_nothing);
  png_set_compression_level(png, 6);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
               static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_PALETTE,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color palette[256];
  const Palette& argb = default_palette();
  for (int i = 0; i < 256; ++i) palette[i] = {red_of(argb[i]), green_of(argb[i]), blue_of(argb[i])};
  png_set_PLTE(png, info, palette, 256);
  png_write_info(png, info);
  const std::vector<uint8_t>& px = image.pixels();
  for (int y = 0; y < image.height(); ++y)
    png_write_row(png, const_cast<png_bytep>(px.data() + static_cast<size_t>(y) * image.width()));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> encode_wav(const std::vector<int16_t>& samples, int rate) {
  const std::string file = wav_file(pcm16(samples), {static_cast<uint32_t>(rate), 1, 16});
  return {file.begin(), file.end()};
}

void write_if_changed(const std::string& path, const std::vector<uint8_t>& bytes) {
  {
    std::ifstream in(path, std::ios::binary);
    if (in) {
      std::vector<uint8_t> old((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
      if (old == bytes) return;
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace kelvo::assets
