// What the tagging tests share: writers, the save and read of a file, support for files and peers.
#pragma once
#include <gtest/gtest.h>

#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "tagging/FileReading.h"
#include "tagging/Merge.h"
#include "tagging/TagSaveRules.h"

namespace tagging {
using Names = std::vector<std::string>;
}  // namespace tagging
