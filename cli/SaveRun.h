// A save of fields and pictures over the files of a command line, shared by set and by
// remove --picture.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "cli/FileFacts.h"

namespace cli {

struct NewPicture {
  int type = 0;
  std::string image;  // the picture file to embed
};

struct SetPlan {
  std::vector<std::pair<std::string tagging::EditFields::*, std::string>> fields;
  std::vector<NewPicture> pictures;  // each replaces the first picture of its type, or is added
  std::vector<int> removedTypes;     // every picture of these types goes

  bool removes(int type) const;
  // Whether the plan changes anything in a file with these facts.
  bool touches(const FileFacts& facts) const;
};

// Reads each file as the window does, applies the plan and saves it; with --dry-run
// prints the values each file would get instead. A file whose save would lose tag data
// is refused unless --force is given.
int RunSaves(const Invocation& call, const SetPlan& plan);

}  // namespace cli
