// A fields-only read (one open for all readers, no pictures, no loss list) gives exactly the
// fields, flags and labels of the window's full read, file by file.
#include <gtest/gtest.h>

#include <tuple>

#include "mainwindow/tagging/FileReading.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace {

using support::Frame;

TEST(FieldsOnlyRead, GivesTheFieldsOfTheFullRead) {
  support::TempDir dir;
  const std::string nonLatin = "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xE6\x9D\xB1\xE4\xBA\xAC";
  const struct {
    const char* name;
    std::string bytes, mutagen, title;  // mutagen: the ID3 version and text encoding it tags with, if any
  } files[] = {
      {"v1 only", support::Audio(40) + support::ID3v1Block("v1 title"), "", "v1 title"},
      {"v2.3 every kind of frame",
       support::Tag({Frame("TIT2", support::Text("Title")), Frame("TRCK", support::Text("3/9")),
                     Frame("USLT", support::Bytes("\0eng\0") + "words"), Frame("WXXX", support::Bytes("\0d\0http://u")),
                     Frame("TXXX", support::Bytes("\0k\0v")),
                     Frame("APIC", support::Bytes("\0image/png\0\3\0") + std::string(30000, 'p')),
                     Frame("COMM", support::Bytes("\0eng\0") + "behind the picture")}) +
           support::Audio(40) + support::ID3v1Block("v1"),
       "", "Title"},
      {"damaged tag", support::Tag({Frame("TIT2", support::Text("T"))}).substr(0, 16) + support::Audio(40), "", ""},
      {"mutagen v2.4 UTF-8", support::Audio(40), "43", nonLatin},
      {"mutagen v2.3 UTF-16", support::Audio(40), "31", nonLatin},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const std::string path = dir.file(std::string(file.name) + ".mp3");
    ASSERT_TRUE(support::WriteFileBytes(path, file.bytes));
    if (!file.mutagen.empty())
      support::RunPython(support::kTagWithMutagen, {path, file.mutagen.substr(0, 1), file.mutagen.substr(1)});
    const tagging::FileReading full = tagging::ReadFileIntoFields(path, {}, {});
    const tagging::FileReading quick = tagging::ReadFileIntoFields(path, {}, {}, {}, tagging::ReadScope::FieldsOnly);
    EXPECT_EQ(quick.fields.title, file.title);
    EXPECT_TRUE(quick.fields == full.fields);
    const auto facts = [](const tagging::FileReading& r) {
      return std::tie(r.outcome.flags.TagFound, r.outcome.flags.ID3V111Found, r.outcome.flags.ID3V230Found,
                      r.outcome.commentText, r.timeLabel, r.bitrateLabel, r.modeLabel, r.version, r.readProblem);
    };
    EXPECT_EQ(facts(quick), facts(full));
    EXPECT_TRUE(quick.pictures.empty() && quick.losses.empty());
  }
}

}  // namespace
