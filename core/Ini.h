// Settings files with the semantics of the Windows profile services.
#pragma once
#include <string>

#include "formats/Numbers.h"

namespace core {

// The value of key in section, both matched regardless of case; a missing key or
// an empty value gives defaultValue. Values are trimmed and at most 2047 characters.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file,
                    const std::string& defaultValue);
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file,
                    double defaultValue);
// Changes the key in place, appends a new key at the end of its section or a new section
// at the end of the file, keeps every other line, and creates the file on first write.
// The file is replaced through a work file, so a failed write leaves the old one whole.
// Returns false when the file could not be written.
bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file);

// The leading-number rule and the rounding of every number the program reads.
using formats::LeadingNumber;
using formats::RoundHalfEven;
// A number in its shortest decimal form: 8970, 1234.5.
std::string FormatNumber(double value);

}  // namespace core
