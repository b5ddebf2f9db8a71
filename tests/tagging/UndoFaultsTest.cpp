// Undo rewrites the files of a run through work files: whatever step fails (each in turn),
// the file holds either the bytes the run left or exactly the restored ones, and no work
// file stays behind.
#include <gtest/gtest.h>

#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/TempDir.h"
#include "tagging/Journal.h"

namespace tagging {
namespace {

TEST(UndoFaults, EachFailingStepLeavesTheRunsBytesOrTheRestoredOnes) {
  support::TempDir temp, journals;
  const std::string path = temp.file("song.mp3");
  const std::string before = support::Tag({support::Frame("TIT2", support::Text("old"))}) + support::Audio();
  const std::string after = support::Tag({support::Frame("TIT2", support::Text("new title"))}) + support::Audio();
  support::FailingFileSystem failing;
  bool restored = false;
  int step = 1;
  for (; !restored && step < 40; ++step) {
    SCOPED_TRACE(step);
    ASSERT_TRUE(support::WriteFileBytes(path, before));
    const std::string folder = journals.file(std::to_string(step)) + "/";  // this step's run alone
    JournalRun run = Journal(folder).begin("save", {path});
    ASSERT_TRUE(support::WriteFileBytes(path, after));
    run.finish();
    failing.reset();
    failing.failAt(step);
    const UndoResult undone = Journal(folder, {}, failing).undoLast({});
    const std::string now = support::ReadFileBytes(path);
    restored = now == before;
    EXPECT_TRUE(restored || now == after);
    EXPECT_EQ(undone.restored.size(), restored ? 1U : 0U);
    EXPECT_EQ(undone.failed.size(), undone.found && !restored ? 1U : 0U);  // a failure is named
    EXPECT_EQ(support::FolderEntries(temp.folder()), std::vector<std::string>{"song.mp3"});
  }
  EXPECT_TRUE(restored) << "no step left to fail";
  EXPECT_GT(step, 8);  // the reads of the journal, the work file's steps and its replace failed in turn
}

}  // namespace
}  // namespace tagging
