// The 148 genre names of the ID3v1.1 genre number, indexed 0 to 147: 0 to 79 are the
// original ID3v1 genres, 80 to 147 the common extensions. Several are spelt differently
// in other lists ("Psychadelic", "Folk/Rock", "SynthPop"); these spellings are the ones
// this program writes and shows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace formats {

// The names in number order; the main window's genre list shows them in this order.
const std::vector<std::string>& GenreNames();

// The number of a genre name, compared without regard to letter case but otherwise
// exactly (no blanks trimmed); 255 when the name is not in the table.
std::uint8_t GenreNumber(const std::string& name);

// The name of a genre number; the empty text for 148 to 255.
std::string GenreName(std::uint8_t number);

}  // namespace formats
