// The desktop's trash (the freedesktop.org trash folders, through Qt): a deleted file
// goes there, so that it can be taken back.
#pragma once
#include <string>

namespace core {

// Moves the file to the trash of its volume (the home trash, or the volume's own); gives
// the path it has there. False where the volume has no trash that takes it.
bool MoveToTrash(const std::string& path, std::string& trashedPath);

}  // namespace core
