// The conversion over any text, into an image whose capacity comes from the input's first two
// bytes. The image sits at the end of its heap block, so ASan catches any write past it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "image/hex_text_to_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  std::uint32_t capacity = static_cast<std::uint32_t>((data[0] << 8) | data[1]);
  if (capacity == 0) {
    capacity = korvane::kFlashImageCapacity;
  }
  const std::size_t textLength = size - 2;
  auto text = std::make_unique<std::uint8_t[]>(std::max<std::size_t>(textLength, 1));
  std::copy(data + 2, data + size, text.get());
  auto image = std::make_unique<std::uint8_t[]>(capacity);
  std::uint32_t length = capacity;
  int result = korvane::HexTextToImage(text.get(), textLength, image.get(), &length);
  if (result == 0 ? length > capacity : length != capacity) {
    std::abort();
  }
  if (result == 1 && textLength > 0 &&
      std::any_of(image.get(), image.get() + capacity, [](std::uint8_t b) { return b != 0; })) {
    std::abort();  // a failed conversion leaves the image all zero
  }
  return 0;
}
