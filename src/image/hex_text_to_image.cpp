#include "image/hex_text_to_image.h"

#include <algorithm>

#include "image/hex_digit.h"
#include "image/hex_record_line.h"

namespace korvane {
namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;

// One pass over the text; `end` is one past its last byte.
class RecordTextConverter {
 public:
  RecordTextConverter(std::uint8_t* text, std::size_t textLength, std::uint8_t* image,
                      std::uint32_t capacity)
      : cursor_(text), end_(text + textLength), image_(image), capacity_(capacity) {}

  // The image length, or false when the conversion fails.
  bool Convert(std::uint32_t* imageLength) {
    while (cursor_ < end_ && length_ < capacity_) {
      if (!ConvertRecord()) {
        return false;
      }
      if (zeroAddressCount_ == 2) {
        break;
      }
    }
    *imageLength = length_;
    return true;
  }

 private:
  bool Remains(std::size_t count) const {
    return static_cast<std::size_t>(end_ - cursor_) >= count;
  }

  std::uint8_t TakeByteAt(std::uint8_t* digits) {
    std::uint8_t value = HexByteAt(digits);
    digits[0] = HexDigitValue(digits[0]);
    digits[1] = HexDigitValue(digits[1]);
    return value;
  }

  bool ConvertRecord() {
    if (!Remains(kRecordTypePos)) {
      return false;  // a record cut off before the end of its address
    }
    const std::uint16_t address =
        static_cast<std::uint16_t>((TakeByteAt(cursor_ + kRecordAddressPos) << 8) |
                                   TakeByteAt(cursor_ + kRecordAddressPos + 2));
    if (address == 0) {
      ++zeroAddressCount_;
    } else if (address >= capacity_) {
      return false;
    }
    if (zeroAddressCount_ == 2) {
      return true;  // the end of the conversion: nothing after the address is used
    }
    if (!Remains(kRecordDataPos)) {
      return false;  // a record cut off before its data
    }
    std::uint32_t position = address;
    cursor_ += kRecordDataPos;
    for (;;) {
      if (!Remains(4)) {
        return false;  // no CR LF ends the record within the text
      }
      if (cursor_[2] == kCr && cursor_[3] == kLf) {
        break;  // the current pair is the checksum
      }
      if (position >= capacity_) {
        return false;  // data running past the image
      }
      image_[position++] = TakeByteAt(cursor_);
      cursor_ += 2;
    }
    cursor_ += 4;
    length_ = std::max(length_, position);
    return true;
  }

  std::uint8_t* cursor_;
  std::uint8_t* const end_;
  std::uint8_t* const image_;
  const std::uint32_t capacity_;
  std::uint32_t length_ = 0;
  int zeroAddressCount_ = 0;
};

}  // namespace

int HexTextToImage(std::uint8_t* text, std::size_t textLength, std::uint8_t* image,
                   std::uint32_t* length) {
  if (text == nullptr || image == nullptr || length == nullptr || textLength == 0 || *length == 0) {
    return 1;
  }
  const std::uint32_t capacity = *length;
  std::uint32_t imageLength = 0;
  RecordTextConverter converter(text, textLength, image, capacity);
  if (!converter.Convert(&imageLength)) {
    std::fill(image, image + capacity, std::uint8_t{0});
    return 1;
  }
  std::fill(image + imageLength, image + capacity, std::uint8_t{0});
  *length = imageLength;
  return 0;
}

}  // namespace korvane
