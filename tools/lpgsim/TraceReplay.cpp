#include "TraceReplay.h"

#include "FactoryImage.h"
#include "WireSum.h"
#include "link/Frame.h"
#include "link/TraceFormat.h"

namespace lpgsim {

namespace {

using zo::link::TraceCheck;
using zo::link::TraceDirection;
using zo::link::TraceEntry;
using zo::link::TraceFormat;

constexpr std::uint8_t kReadParam = 0x55;
constexpr std::uint8_t kReadParamExt = 0x56;
constexpr std::uint8_t kLiveData = 0x33;
constexpr std::uint8_t kSwitchRequest = 0x35;
constexpr std::uint8_t kEepromRow = 0x5C;
constexpr std::size_t kRowLength = 20;  // command, status, row, 16 bytes, sum

// The reply as the link checked it: bytes after its length (noise that came
// with it) are not part of it. Nothing when its check sum does not match.
std::optional<std::vector<std::uint8_t>> Checked(const std::vector<std::uint8_t>& reply) {
  if (reply.empty()) return std::nullopt;
  const auto length = static_cast<std::size_t>(zo::link::Frame::CheckedLength(reply[0], false));
  if (length < 2 || reply.size() < length) return std::nullopt;
  const std::span<const std::uint8_t> frame(reply.data(), length);
  if (WireSum(frame.first(length - 1)) != frame.back()) return std::nullopt;
  return std::vector<std::uint8_t>(frame.begin(), frame.end());
}

}  // namespace

TraceReplay TraceReplay::Read(std::istream& in, std::vector<std::string>& problems) {
  TraceReplay replay;
  std::optional<TraceEntry> request;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (TraceFormat::IsComment(line)) continue;
    std::string problem;
    std::optional<TraceEntry> entry = TraceFormat::Parse(line, problem);
    if (!entry) {
      problems.push_back("line " + std::to_string(number) + ": " + problem);
      request.reset();  // the reply that follows belongs to an unknown request
      continue;
    }
    if (entry->direction == TraceDirection::Sent) {
      request = std::move(entry);
      continue;
    }
    const bool used = request && entry->check == TraceCheck::Ok && Used(request->bytes);
    if (used) {
      if (const auto reply = Checked(entry->bytes)) {
        replay.Take(request->bytes, *reply);
      } else {
        problems.push_back("line " + std::to_string(number) +
                           ": the reply's check sum does not match its bytes");
      }
    }
    if (entry->check != TraceCheck::Stale) request.reset();
  }
  return replay;
}

bool TraceReplay::Used(std::span<const std::uint8_t> request) {
  return !request.empty() &&
         (request[0] == kReadParam || request[0] == kReadParamExt || Key(request).has_value());
}

std::optional<std::uint16_t> TraceReplay::Key(std::span<const std::uint8_t> request) {
  if (request.empty()) return std::nullopt;
  const std::uint8_t command = request[0] == kSwitchRequest ? kLiveData : request[0];
  switch (command) {
    case 0x33:  // live data
    case 0xAC:  // configuration data
    case 0xCA:  // processor inputs
      return command;
    case 0x5A:  // RAM watch, by address
    case 0xC5:  // memory page, by page
    case 0x5C:  // EEPROM row, by row
      if (request.size() < 2) return std::nullopt;
      return static_cast<std::uint16_t>(command << 8 | request[1]);
    default:
      return std::nullopt;
  }
}

void TraceReplay::Take(std::span<const std::uint8_t> request,
                       const std::vector<std::uint8_t>& reply) {
  if (request.empty()) return;
  const bool read = request[0] == kReadParam || request[0] == kReadParamExt;
  if (read && reply.size() == 4 && reply[0] == request[0]) {
    Learn(reply[1], reply[2]);
    return;
  }
  if (request[0] == kEepromRow && reply.size() == kRowLength && reply[0] == kEepromRow) {
    for (std::size_t i = 0; i < 16; ++i)
      Learn(std::size_t{reply[2]} * 16 + i, reply[3 + i]);
  }
  if (const auto key = Key(request)) queues_[*key].replies.push_back(reply);
}

void TraceReplay::Learn(std::size_t index, std::uint8_t value) {
  // The first value the trace gave is the image the session started from.
  if (index >= kImageSize || knownBytes_[index]) return;
  knownBytes_[index] = true;
  image_[index] = value;
  ++known_;
}

void TraceReplay::Configure(SimConfig& config) const {
  if (knownBytes_[ImageMap::kModel]) config.modelCode = image_[ImageMap::kModel];
  if (knownBytes_[ImageMap::kVersion]) config.firmwareVersion = image_[ImageMap::kVersion];
  if (knownBytes_[ImageMap::kVariant]) config.variant = image_[ImageMap::kVariant];
  ParameterImage image = FactoryImage::Build(config);
  for (std::size_t i = 0; i < kImageSize; ++i)
    if (knownBytes_[i]) image[i] = image_[i];
  config.initialImage = image;
}

std::optional<std::vector<std::uint8_t>> TraceReplay::Answer(std::span<const std::uint8_t> frame) {
  const auto key = Key(frame);
  if (!key) return std::nullopt;
  const auto found = queues_.find(*key);
  if (found == queues_.end()) return std::nullopt;
  Queue& queue = found->second;
  const std::vector<std::uint8_t>& reply = queue.replies[queue.next];
  queue.next = (queue.next + 1) % queue.replies.size();
  return reply;
}

std::size_t TraceReplay::RepliesFor(std::span<const std::uint8_t> frame) const {
  const auto key = Key(frame);
  if (!key) return 0;
  const auto found = queues_.find(*key);
  return found == queues_.end() ? 0 : found->second.replies.size();
}

}  // namespace lpgsim
