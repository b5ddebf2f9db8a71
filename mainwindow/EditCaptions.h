// The texts of the editing side of the main window: the captions of the save button,
// the question before held fields go to many files, the caption of the comment window,
// the message that lists the files a save could not write, and the progress of a save.
#pragma once
#include <QString>

#include "formats/Status.h"
#include "tagging/KeepOldTag.h"
#include "texts/RunTexts.h"
#include <cstddef>
#include <string>
#include <vector>

namespace mainwindow {

// What cmdSaveTag tells the user it will do or is doing.
enum class SaveCaption {
  Ready,            // design default, after every save, after one file is selected
  SeveralSelected,  // after several files are selected
  AllFiles,         // after cmdAllFiles selected every file
  AfterEnterSave,   // after a save with the Enter key
  SavingOne,        // while the button saves one file
  SavingSeveral,    // while the button saves several files
  EnterSaving,      // while the Enter key saves one file
};

QString SaveTagCaption(SaveCaption caption);

// The question before the held fields are applied to every selected file.
QString ApplyHeldQuestion();

// The caption of the text window while it shows the comment.
QString CommentWindowCaption();

// The words of the run results (why a file failed, what a save would lose) in the
// interface language.
const texts::RunTexts& RunWords();

// The exclamation message after a save that could not write some files: a heading line,
// then one file per line with why it failed ("<file>: disk full"). At most `shown` files
// are listed; the rest are counted in a last line. Paths are native file names (decoded
// as such). An empty list gives an empty text: there is nothing to show.
QString SaveFailureMessage(const std::vector<formats::Status>& failures, std::size_t shown = 20);

// The question before a save that would drop something: the file, then what it would lose,
// one thing per line.
QString LossQuestion(const tagging::SaveLoss& loss);

// The progress gauge while file `index` (0-based) of `count` list entries is worked on:
// 100 / count * (index + 1), rounded half to even, kept within 0..100. 0 for an empty list.
int SaveProgressPercent(int count, int index);

}  // namespace mainwindow
