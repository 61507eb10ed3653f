// Turns each valid controller reply into changes of the shared link state and
// into effects for the windows; some replies chain the next request.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "IEventPump.h"
#include "LinkEffects.h"
#include "LinkState.h"
#include "ReplyConsumers.h"

namespace zo::link {

class ReplyDecoder {
 public:
  ReplyDecoder(LinkState& state, const LinkEffects& effects, const ReplyConsumers& consumers,
               IEventPump& pump);

  // `reply` has passed the common checks for `command` (0x33 for a switch
  // request). Returns the request to chain within the same transaction.
  std::optional<Request> Decode(const Request& sent, std::uint8_t command,
                                std::span<const std::uint8_t> reply);

  // A controller in its boot loader answered a parameter read with its status
  // reply. Returns true when the reply was valid and taken.
  bool DecodeBootStatusForRead(std::span<const std::uint8_t> reply);

  // The RAM-watch address box read as a decimal number, 0 when it is not one.
  static int ParseRamWatchAddress(const std::string& text);

 private:
  std::optional<Request> ReadParamReply(std::span<const std::uint8_t> r);
  void WriteParamReply(std::span<const std::uint8_t> r);
  std::optional<Request> LiveDataReply(std::span<const std::uint8_t> r);
  void RamWatchReply(const Request& sent, std::span<const std::uint8_t> r);
  void ConfigDataReply(std::span<const std::uint8_t> r);
  void ProcessorInputsReply(std::span<const std::uint8_t> r);
  void MemoryPageReply(std::span<const std::uint8_t> r);
  void EepromRowReply(std::span<const std::uint8_t> r);
  std::optional<Request> BootStartReply(std::span<const std::uint8_t> r);
  std::optional<Request> BootBlockReply(std::span<const std::uint8_t> r);

  // Ends a parameter read: the caller has set the polling mode already.
  void FinishRead();
  // The controller has been read completely: interval pause, state 2, grid.
  void EndOfFullRead();
  void EnterConnectionState(ConnectionState connectionState);
  // The sample at the write index is complete: show it and move on.
  void RecordSample(Page owner);
  [[nodiscard]] bool LiveViewOn(Page page) const;

  LinkState& state_;
  LinkEffects effects_;
  const ReplyConsumers& consumers_;
  IEventPump& pump_;
};

}  // namespace zo::link
