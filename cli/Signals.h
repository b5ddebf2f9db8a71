// Ctrl+C and SIGTERM stop a run of tonewright-cli between two files: the handlers only
// set the process's cancel token, which the commands hand to their runs.
#pragma once
#include "tagging/BatchResult.h"

namespace cli {

// The token the signals set; a command passes it to every run that changes files. Asking
// for it arms the handlers: from then on a first signal stops the run between two files.
const tagging::CancelToken& InterruptToken();
// Installs the handlers of SIGINT and SIGTERM.
void CancelOnSignals();

}  // namespace cli
