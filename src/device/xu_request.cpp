#include "device/xu_request.h"

namespace korvane {
namespace {

void PutLittleEndian32(KspNodeBytes& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

}  // namespace

KspNodeBytes BuildKspNode(const Guid& propertySet, std::uint32_t selector, XuRequestKind kind,
                          std::uint32_t nodeIndex) {
  KspNodeBytes bytes{};
  const auto set = GuidBytes(propertySet);
  for (std::size_t i = 0; i < set.size(); ++i) {
    bytes[i] = set[i];
  }
  PutLittleEndian32(bytes, 16, selector);
  PutLittleEndian32(bytes, 20, static_cast<std::uint32_t>(kind));
  PutLittleEndian32(bytes, 24, nodeIndex);
  PutLittleEndian32(bytes, 28, 0);
  return bytes;
}

HResult SendXuRequest(const XuChannel& channel, const Guid& propertySet, XuRequestKind kind,
                      std::uint32_t selector, void* data, std::uint32_t length) {
  if (!channel.control || data == nullptr) {
    return status::kPointer;
  }
  KspNodeBytes request = BuildKspNode(propertySet, selector, kind, channel.nodeIndex);
  std::uint32_t returned = 0;
  return channel.control->KsProperty(request.data(), kKspNodeLength, data, length, &returned);
}

}  // namespace korvane
