// Ctrl+C and SIGTERM stop a run of tonewright-cli between two files: the handlers only
// set the process's cancel token, which the commands hand to their runs.
#pragma once
#include "tagging/BatchResult.h"

namespace cli {

// The token the signals set; the commands pass it to every run.
tagging::CancelToken& InterruptToken();
// Installs the handlers of SIGINT and SIGTERM.
void CancelOnSignals();

}  // namespace cli
