#pragma once
// What one simulated video capture device is: its name, its topology, the controller behind the
// extension unit, its flash part and the faults it will show.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace korvane {

enum class XuVariant { kA, kB, kNone };

struct InjectedFault {
  std::uint64_t requestIndex = 0;  // counted from 1, every request the camera receives
  HResult status = status::kFail;
};

struct SimulatedDeviceConfig {
  // nullopt: the device has no FriendlyName property.
  std::optional<std::string> friendlyName = std::string("USB Camera");
  // The device's property bag cannot be bound at all.
  bool propertyBagFails = false;

  std::uint32_t nodeCount = 3;
  // Index of the extension unit node; nullopt for a device without one.
  std::optional<std::uint32_t> xuNode = 2;
  // Property set the unit answers to; kNone answers neither.
  XuVariant variant = XuVariant::kA;

  std::uint16_t chipId = 0x5463;  // TALVO
  std::uint8_t register02 = 0x00;
  std::uint8_t registerEB = 0x00;
  std::uint16_t wordA = 0x1234;
  std::uint16_t wordB = 0x5678;
  std::uint16_t lensWord = 0x0000;
  // Bytes 2 and 3 of every register data answer (high byte first).
  std::uint16_t answerTail = 0x0000;
  // What every request takes on the camera's clock, as a control transfer on the bus takes time.
  std::uint32_t requestMs = 0;

  // Typical figures of a common 25-series part.
  std::uint32_t sectorEraseMs = 60;
  std::uint32_t chipEraseMs = 1500;
  // Every flash byte at power-up; nullopt leaves an earlier firmware in the flash.
  std::optional<std::uint8_t> flashFill;

  std::vector<InjectedFault> faults;
  // The camera is gone when this request arrives: it and every later one fail.
  std::optional<std::uint64_t> unplugAtRequest;
  // Applied by the front end through its event loop.
  std::optional<std::uint32_t> unplugAfterMs;
  std::optional<std::uint32_t> replugAfterMs;
};

}  // namespace korvane
