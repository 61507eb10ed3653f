#include "Frame.h"

#include <numeric>

namespace zo::link {

std::uint8_t Frame::Checksum(std::span<const std::uint8_t> bytes) {
  unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0U);
  return static_cast<std::uint8_t>(sum & 0xFFU);
}

std::optional<std::size_t> Frame::BuildRequest(const Request& request,
                                               std::span<std::uint8_t, 20> out) {
  switch (request.length) {
    case 1:
      out[0] = request.command;
      out[1] = request.command;
      return 2;
    case 2:
      out[0] = request.command;
      out[1] = request.b1;
      out[2] = Checksum(out.first(2));
      return 3;
    case 3:
      out[0] = request.command;
      out[1] = request.b1;
      out[2] = request.b2;
      out[3] = Checksum(out.first(3));
      return 4;
    case 19:
      for (std::size_t i = 0; i < 19; ++i)
        out[i] = request.block[i];
      out[19] = Checksum(out.first(19));
      return 20;
    default:
      return std::nullopt;
  }
}

int Frame::ExpectedLength(std::uint8_t command, bool quillon) {
  switch (static_cast<Command>(command)) {
    case Command::ReadParam:
    case Command::ReadParamExt:
    case Command::RamWatch:
      return 4;
    case Command::LiveData:
    case Command::SwitchRequest:
      return 16;
    case Command::WriteParam:
      return quillon ? 4 : 2;
    case Command::ConfigData:
      return 15;
    case Command::BootStart:
    case Command::BootBlock:
      return 8;
    case Command::ProcessorInputs:
      return 14;
    case Command::MemoryPage:
      return 25;
    case Command::EepromRow:
      return 20;
  }
  return 0;
}

int Frame::CheckedLength(std::uint8_t command, bool quillon) {
  if (command == Code(Command::MemoryPage)) return 23;
  return ExpectedLength(command, quillon);
}

bool Frame::IsValidReply(std::uint8_t command, bool quillon, std::span<const std::uint8_t> reply) {
  const int length = CheckedLength(command, quillon);
  if (length < 2 || reply.size() < static_cast<std::size_t>(length)) return false;
  const auto frame = reply.first(static_cast<std::size_t>(length));
  if (frame[0] != command || frame.back() != Checksum(frame.first(frame.size() - 1))) return false;
  // A programming block reply always carries 1 after the echo.
  return command != Code(Command::BootBlock) || frame[1] == 0x01;
}

bool Frame::IsValidBootStatus(std::span<const std::uint8_t> reply) {
  if (reply.size() < kBootStatusLength) return false;
  const auto frame = reply.first(kBootStatusLength);
  return frame[0] == kBootMark && frame[7] == Checksum(frame.first(7));
}

}  // namespace zo::link
