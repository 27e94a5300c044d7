// libFuzzer target: arbitrary bytes as a picture file, sized by its header, decoded by SDL_image
// and loaded by load_image into an indexed screen (palette matching and clear index) and as
// 32-bit and mode-256 images.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/picture_size.h"
#include "platform/sdl_image_decoder.h"
#include "runtime/display/image_loader.h"
#include "runtime/display/image_table.h"
#include "runtime/services/wait_hub.h"

namespace {

// Hands load_image the picture decoded from the fuzzer's bytes, whatever name it asks for.
class BytesDecoder : public kelvo::ImageDecoder {
 public:
  explicit BytesDecoder(std::string_view bytes) : bytes_(bytes) {}
  std::optional<kelvo::DecodedPicture> decode(const std::string&) override {
    return kelvo::decode_picture(bytes_, extension_);
  }
  void use_extension(std::string_view extension) { extension_ = extension; }

 private:
  std::string_view bytes_;
  std::string_view extension_ = "xxx";
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const auto claimed = kelvo::picture_size(bytes, "tga")) kelvo::picture_size_allowed(*claimed);
  kelvo::WaitHub hub;
  kelvo::Errors errors(hub);
  kelvo::ImageTable table(errors);
  table.set_screen(table.new_image(320, 300, 256, kelvo::kArg0), kelvo::kArg0);
  BytesDecoder decoder(bytes);
  kelvo::load_image(table, errors, &decoder, "picture.xxx", 0, 0);
  kelvo::load_image(table, errors, &decoder, "picture.xxx", 32, kelvo::kArg0);
  kelvo::load_image(table, errors, &decoder, "picture.xxx", 256, kelvo::kArg0);
  decoder.use_extension("tga");  // the one format SDL_image takes by the file's name
  kelvo::load_image(table, errors, &decoder, "picture.tga", 0, 0);
  return 0;
}
