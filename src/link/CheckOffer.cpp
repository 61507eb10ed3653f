#include "CheckOffer.h"

namespace zo::link {

bool CheckOffer::Offer() {
  if (offered_) return false;
  offered_ = true;
  return true;
}

bool CheckOffer::OpenFailed() {
  answeringSince_.reset();
  return Offer();
}

bool CheckOffer::LinkLost() {
  answeringSince_.reset();
  ++lostInARow_;
  return lostInARow_ >= kLostTicksBeforeOffer && Offer();
}

void CheckOffer::LinkAnswering(std::chrono::microseconds now) {
  lostInARow_ = 0;
  if (!answeringSince_) answeringSince_ = now;
  if (now - *answeringSince_ >= kSteadyLink) offered_ = false;
}

}  // namespace zo::link
