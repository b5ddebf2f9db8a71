#include "cli/Signals.h"

#include <csignal>

namespace cli {

namespace {

tagging::CancelToken Interrupt;
// Set once a command hands the token to a run that looks at it; before that (and in the
// commands that change no file) a signal ends the process as it always would.
std::atomic<bool> Armed{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler stores into the token");

extern "C" void RequestCancel(int signal) {
  // A second signal, or one no run would notice, ends the process at once.
  if (!Armed.load() || Interrupt.cancelled()) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  Interrupt.cancel();
}

}  // namespace

const tagging::CancelToken& InterruptToken() {
  Armed.store(true);
  return Interrupt;
}

void CancelOnSignals() {
  struct sigaction action {};
  action.sa_handler = RequestCancel;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace cli
