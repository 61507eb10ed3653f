// The subsystems that take controller replies of their own, handed to the
// link by its owner: the autoconfiguration wizard takes configuration data,
// the processor pages their rows, the firmware upload the boot loader's
// replies, the change journal every write the controller confirmed. A consumer not there (nullptr)
// lets its replies go by.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "ChangeCause.h"
#include "LinkTypes.h"

namespace zo::link {

class IWizardReplies {
 public:
  virtual ~IWizardReplies() = default;
  // One configuration-data reply, as it came.
  virtual void ConfigurationSample(std::span<const std::uint8_t> reply) = 0;
  // After every configuration-data poll.
  virtual void ConfigurationStep() = 0;
  // The Configuration page was selected.
  virtual void ConfigurationEntered() = 0;
};

class IProcessorReplies {
 public:
  virtual ~IProcessorReplies() = default;
  // r1..r11 of the processor-inputs reply: eight analogue inputs, three port bytes.
  virtual void ShowProcessorInputs(std::span<const std::uint8_t> inputs) = 0;
  virtual void ShowMemoryRow(int page, std::span<const std::uint8_t> values) = 0;
  virtual void ShowEepromRow(int row, std::span<const std::uint8_t> values) = 0;
};

class IBootLoaderReplies {
 public:
  virtual ~IBootLoaderReplies() = default;
  // Valid boot-loader replies; the result is the next frame to send within
  // the same transaction, if any.
  virtual std::optional<Request> BootStatusReply(std::span<const std::uint8_t> reply) = 0;
  virtual std::optional<Request> BootBlockReply(std::span<const std::uint8_t> reply) = 0;
};

class IWriteConfirmations {
 public:
  virtual ~IWriteConfirmations() = default;
  // The controller confirmed `after` in parameter byte `byte`, which held
  // `before`, changed because of `cause` by `action` (shared by the bytes
  // changed together; 0 when no one marked it).
  virtual void WriteConfirmed(int byte, std::uint8_t before, std::uint8_t after, ChangeCause cause,
                              std::uint32_t action) = 0;
};

// Filled in by the owner as it builds the consumers; the link keeps a
// reference, so a consumer built after the link is found when it is there.
struct ReplyConsumers {
  IWizardReplies* wizard = nullptr;
  IProcessorReplies* processor = nullptr;
  IBootLoaderReplies* bootLoader = nullptr;
  IWriteConfirmations* writes = nullptr;
};

}  // namespace zo::link
