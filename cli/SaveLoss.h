// What a save of the edit fields would drop from a file.
#pragma once
#include <string>

#include "cli/FileFacts.h"

namespace cli {

// Empty when a save keeps every tag datum of the file; else what it would lose, for the
// message ("3 frames without a field (TPE2, TXXX, POPM)"). The save writes the edit
// fields and the pictures: an ID3v2 tag the readers could not read, frames that no field
// stands for, and texts that could not be decoded would be gone afterwards.
std::string SaveLoss(const FileFacts& facts);

}  // namespace cli
