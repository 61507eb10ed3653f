#include "ControllerLink.h"

#include <algorithm>

#include "Frame.h"
#include "ImageMap.h"

namespace zo::link {

namespace {

constexpr int kFirstFtdiPort = 1024;
constexpr auto kBootTopUpWait = std::chrono::milliseconds(20);

// Clears the busy flag however the transaction ends.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

ControllerLink::ControllerLink(LinkState& state, ITransport& com, ITransport& ftdi,
                               IEventPump& pump, const LinkEffects& effects,
                               const ReplyConsumers& consumers)
    : state_(state),
      com_(com),
      ftdi_(ftdi),
      pump_(pump),
      messages_(effects.messages),
      decoder_(state, effects, consumers, pump) {}

ITransport& ControllerLink::TransportFor(int portNumber) {
  return portNumber < kFirstFtdiPort ? com_ : ftdi_;
}

int ControllerLink::Transact(int length, std::uint8_t command, std::uint8_t b1, std::uint8_t b2) {
  Request request{length, command, b1, b2, {}};
  request.block[0] = command;
  return Transact(request);
}

int ControllerLink::Transact(const Request& first) {
  ITransport& transport = TransportFor(state_.portNumber);
  if (state_.busy) return -1;
  BusyScope busy(state_.busy);

  std::optional<Request> next = first;
  int count = 0;
  while (next) {
    const Request request = *next;
    next.reset();
    lastReplyValid_ = false;
    lastReplyLength_ = 0;
    FlushInput(transport);

    std::array<std::uint8_t, 20> frame{};
    const auto frameLength = Frame::BuildRequest(request, frame);
    if (!frameLength) {
      messages_.ShowSystemMessage("Nie obsługiwana długość", "Błąd Comm");
      return 0;
    }
    ++state_.failureCounter;
    const std::span<const std::uint8_t> sent(frame.data(), *frameLength);
    if (Tracing()) trace_->Sent(sent, pump_.Now());
    transport.Write(sent);
    pump_.ProcessMessages();

    // A switch request is answered with live data.
    const std::uint8_t command =
        request.command == Code(Command::SwitchRequest) ? Code(Command::LiveData) : request.command;
    buffer_[0] = 0;
    // The memory page is awaited as 25 bytes but complete at 23, which is all
    // a controller sends: stop there rather than sit out the whole budget.
    const int expected = std::min(Frame::ExpectedLength(command, state_.quillon),
                                  Frame::CheckedLength(command, state_.quillon));
    const bool longWait = command == Code(Command::BootStart) || state_.failureCounter > 20;
    const int waiting = WaitForReply(transport, expected, longWait ? kLongRounds : kNormalRounds);
    count = ReadReply(transport, waiting);
    lastReplyLength_ = count;
    const auto receivedAt = Tracing() ? pump_.Now() : std::chrono::microseconds{0};
    next = HandleReply(request, command, transport, count);
    if (Tracing()) trace_->Received(request.command, LastReply(), lastReplyValid_, receivedAt);
    CountReply();
  }
  return count;
}

void ControllerLink::FlushInput(ITransport& transport) {
  // Anything that arrived between transactions is stale. A line that keeps
  // streaming bytes cannot hold the transaction here: a bounded number of
  // buffers is drained, the rest fails the reply's checks.
  constexpr int kMaxFlushRounds = 64;
  int waiting = transport.InQueCount();
  for (int round = 0; round < kMaxFlushRounds && waiting > 0;
       ++round, waiting = transport.InQueCount()) {
    const auto chunk = static_cast<std::size_t>(std::min(waiting, kBufferSize));
    const int read = transport.ReadAvailable(std::span(buffer_.data(), chunk));
    if (read <= 0) break;
    if (Tracing())
      trace_->Discarded(std::span(buffer_.data(), static_cast<std::size_t>(read)), pump_.Now());
  }
}

int ControllerLink::WaitForReply(ITransport& transport, int expected, int rounds) {
  // The controller is given `rounds` polls of 15 ms, counted in the time
  // this program spends waiting for it: the user interface run between the
  // waits, or a wait that ends late on a busy machine, is this program's own
  // time and does not count against the controller. The wait ends as soon as
  // the whole reply is in; the user interface is pumped every round. The
  // queue is looked at after the time is spent, so whatever arrived by then
  // is taken. However long the program is held up, the wait ends after
  // kMaxWaitFactor times the budget.
  const auto budget = rounds * std::chrono::microseconds(kRound);
  const auto end = pump_.Now() + kMaxWaitFactor * budget;
  std::chrono::microseconds waited{0};
  int waiting = 0;
  for (;;) {
    pump_.ProcessMessages();
    const bool over = pump_.Now() >= end;
    waiting = transport.InQueCount();
    if (waiting >= expected || waited >= budget || over) break;
    const auto slice = std::min<std::chrono::microseconds>(kRound, budget - waited);
    const auto before = pump_.Now();
    if (!transport.WaitForInput(expected, slice)) pump_.Sleep(slice);
    waited += std::min<std::chrono::microseconds>(slice, pump_.Now() - before);
  }
  return waiting;
}

int ControllerLink::ReadReply(ITransport& transport, int waiting) {
  if (waiting <= 0) return 0;
  const auto want = static_cast<std::size_t>(std::min(waiting, kBufferSize));
  return std::max(0, transport.ReadAvailable(std::span(buffer_.data(), want)));
}

int ControllerLink::TopUpBootStatus(ITransport& transport, int count) {
  pump_.Sleep(kBootTopUpWait);
  const int more = transport.InQueCount();
  if (more <= 0) return count;
  const auto room = static_cast<std::size_t>(kBufferSize - count);
  const auto want = std::min(static_cast<std::size_t>(more), room);
  const int got = transport.ReadAvailable(std::span(buffer_.data() + count, want));
  // The status as a whole is the reply.
  lastReplyLength_ = count + std::max(0, got);
  return lastReplyLength_;
}

void ControllerLink::CountReply() {
  using Reply = LinkQuality::Reply;
  const Reply reply = lastReplyValid_        ? Reply::Good
                      : lastReplyLength_ > 0 ? Reply::Damaged
                                             : Reply::Missing;
  state_.quality.Record(reply, pump_.Now());
}

bool ControllerLink::AcceptsAnyWriteReply() const {
  const auto& image = state_.workingCopy;
  return image[ImageMap::kModel] == 0x50 && image[ImageMap::kVersion] == 0xB1 &&
         image[ImageMap::kVariant] == 0xFF;
}

std::optional<Request> ControllerLink::HandleReply(const Request& sent, std::uint8_t command,
                                                   ITransport& transport, int& count) {
  if (command == Code(Command::WriteParam) && AcceptsAnyWriteReply() && count > 0) {
    // This controller's write acknowledgement is not checked, but it must
    // come: a write into a pulled cable is not a write.
    state_.failureCounter = 0;
    lastReplyValid_ = true;
    count = 2;
    return std::nullopt;
  }

  const bool isRead = command == Code(Command::ReadParam) || command == Code(Command::ReadParamExt);
  if (isRead && count > 0 && buffer_[0] == Frame::kBootMark) {
    if (count < Frame::kBootStatusLength && &transport == &com_) {
      count = TopUpBootStatus(transport, count);
    }
    lastReplyValid_ = decoder_.DecodeBootStatusForRead(
        std::span<const std::uint8_t>(buffer_.data(), static_cast<std::size_t>(count)));
    return std::nullopt;
  }

  const std::span<const std::uint8_t> reply(buffer_.data(), static_cast<std::size_t>(count));
  if (!Frame::IsValidReply(command, state_.quillon, reply)) return std::nullopt;
  state_.failureCounter = 0;
  lastReplyValid_ = true;
  return decoder_.Decode(sent, command, reply);
}

}  // namespace zo::link
