// The words of a run's results, built at the front ends from the codes and data the
// tagging layer returns: why a file could not be written, what a save would lose, the
// message at the end of a batch run and of a merge. German is the source language; a
// translator function gives the texts in the language the front end speaks.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "formats/Status.h"
#include "tagging/BatchResult.h"
#include "tagging/Merge.h"

namespace texts {

// The context of these texts in the catalogue.
constexpr char Context[] = "texts::RunTexts";

// Gives the translation of a German source text of Context (UTF-8 in, UTF-8 out).
using Translator = std::function<std::string(const char* source)>;

// The English of a German source text of Context, from the catalogue as it was when the
// program was built; a text it does not hold stays as it is.
std::string English(const char* source);

class RunTexts {
 public:
  // Without a translator the texts are German.
  explicit RunTexts(Translator translate = {});

  // Why a step failed: "disk full", "read-only", "the file vanished", "the tag is damaged
  // and would be replaced", "a save was refused: it would lose ...", the track number out
  // of range, or the system's own text of any other error number. Empty for success.
  std::string status(const formats::Status& status) const;
  // One thing a save would lose, and several divided by "; ".
  std::string loss(const formats::Loss& loss) const;
  std::string losses(const std::vector<formats::Loss>& losses) const;
  // The reason of a run's outcome, with what its status tells: "cannot be written: disk full".
  std::string reason(const tagging::FileOutcome& outcome) const;
  // The exclamation message listing the files a run could not change, one per line with its
  // reason: "<path>: <reason>". Empty for no failure. At most `shown` are listed, the rest
  // counted in a last line.
  std::string failureMessage(const std::vector<tagging::FileOutcome>& outcomes, std::size_t shown = 20) const;
  // What the message at the end of a merge says besides the files it left out: where the
  // album is when it could not take its name, and when it got no tags. Empty when the
  // album has its name and its tags, or when none was made.
  // What the command line adds to a refused save: "(--force saves anyway)".
  std::string forceHint() const;
  // What the command line adds to a failed save of one file: "; the file is unchanged".
  std::string unchangedNote() const;
  std::string mergeNotice(const tagging::MergePlan& plan, const tagging::MergeResult& result) const;

 private:
  std::string say(const char* source) const;  // the source text translated
  Translator translate_;
};

// A text with %1, %2 ... replaced by the arguments in order.
std::string Arg(const std::string& text, const std::vector<std::string>& args);

}  // namespace texts
