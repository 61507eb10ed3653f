// One transaction with the controller: send a request frame, wait a bounded
// time for the reply while keeping the user interface alive, check it and
// hand it to the reply decoding. Chained requests run inside the same call.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <span>

#include "IEventPump.h"
#include "ITransport.h"
#include "LinkEffects.h"
#include "LinkState.h"
#include "LinkTrace.h"
#include "ReplyDecoder.h"

namespace zo::link {

class ControllerLink {
 public:
  // `com` serves port numbers below 1024, `ftdi` the others.
  // `consumers` take the replies of the wizard, the processor pages and the
  // boot loader.
  ControllerLink(LinkState& state, ITransport& com, ITransport& ftdi, IEventPump& pump,
                 const LinkEffects& effects, const ReplyConsumers& consumers);

  // Sends one frame of data length 1, 2, 3 or 19 and processes the reply.
  // Returns -1 while another transaction runs, 0 after an unsupported length,
  // otherwise the number of reply bytes read in the last round.
  int Transact(int length, std::uint8_t command, std::uint8_t b1, std::uint8_t b2);
  int Transact(const Request& request);

  // Every frame sent and received goes to `trace` while it records; null for none.
  void SetTrace(LinkTrace* trace) { trace_ = trace; }

  // Whether the last reply of the last transaction passed its checks.
  [[nodiscard]] bool LastReplyValid() const { return lastReplyValid_; }
  // The bytes read in the last round of the last transaction, whether they
  // passed their checks or not; empty when nothing came back.
  [[nodiscard]] std::span<const std::uint8_t> LastReply() const {
    return {buffer_.data(), static_cast<std::size_t>(lastReplyLength_)};
  }

  // Length of one waiting round: the user interface is pumped at least this often.
  static constexpr std::chrono::milliseconds kRound{15};
  static constexpr int kNormalRounds = 10;
  static constexpr int kLongRounds = 180;
  // The longest a wait runs, in budgets, when the program itself is held up.
  static constexpr int kMaxWaitFactor = 4;
  static constexpr int kBufferSize = 1024;

 private:
  ITransport& TransportFor(int portNumber);
  void FlushInput(ITransport& transport);
  int WaitForReply(ITransport& transport, int expected, int rounds);
  int ReadReply(ITransport& transport, int waiting);
  int TopUpBootStatus(ITransport& transport, int count);
  // Checks and decodes one reply; returns the request to chain, if any.
  std::optional<Request> HandleReply(const Request& sent, std::uint8_t command,
                                     ITransport& transport, int& count);
  [[nodiscard]] bool AcceptsAnyWriteReply() const;
  [[nodiscard]] bool Tracing() const { return trace_ != nullptr && trace_->Active(); }
  // Counts the last round's reply in the link's quality of the last minute.
  void CountReply();

  LinkState& state_;
  ITransport& com_;
  ITransport& ftdi_;
  IEventPump& pump_;
  IMessageEffects& messages_;
  ReplyDecoder decoder_;
  LinkTrace* trace_ = nullptr;
  std::array<std::uint8_t, kBufferSize> buffer_{};
  bool lastReplyValid_ = false;
  int lastReplyLength_ = 0;
};

}  // namespace zo::link
