// What the format tests share: GoogleTest, byte builders, files and folders, failing I/O.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>

#include "formats/FileIo.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/MP3HeadReader.h"
#include "formats/SilentMpeg.h"
#include "formats/TagSaver.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/TempDir.h"

using support::Bytes, support::FolderEntries, support::Frame, support::NUL, support::ReadFileBytes, support::SevenBit;
using support::Tag, support::TagHeader, support::Tagged, support::TempDir, support::Text, support::WriteFileBytes;
using Names = std::vector<std::string>;
using formats::clsID3V111Reader, formats::clsID3V111Writer, formats::clsID3V230Reader, formats::clsID3V230Writer;
using formats::clsMP3HeadReader, formats::FileSystem, formats::FormatEnv, formats::WorkFile, formats::WorkFilePath;
using formats::id3v230::SplitList;

// An APIC body in ISO-8859-1: encoding 0, MIME type, NUL, picture type, description, NUL, the picture's data.
inline std::string ApicBody(const std::string& mime, char type, const std::string& description,
                            const std::string& data) {
  return Text(mime + NUL + type + description + NUL + data);
}
