#include "cli/Signals.h"

#include <csignal>

namespace cli {

namespace {

tagging::CancelToken Interrupt;
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler stores into the token");

extern "C" void RequestCancel(int) { Interrupt.cancel(); }

}  // namespace

tagging::CancelToken& InterruptToken() { return Interrupt; }

void CancelOnSignals() {
  struct sigaction action {};
  action.sa_handler = RequestCancel;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace cli
