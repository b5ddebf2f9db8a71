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

const char* const kMutagen = R"PY(
import sys
from mutagen.id3 import ID3, TIT2, TPE1, TDRC, TRCK, COMM, USLT, WXXX, APIC, TXXX
e = int(sys.argv[3])
t = ID3()
for f in [TIT2(encoding=e, text="Καλημέρα"), TPE1(encoding=e, text="Artist"), TDRC(encoding=e, text="2004-05-06"),
          TRCK(encoding=e, text="7/9"), COMM(encoding=e, lang="eng", desc="", text="First"),
          USLT(encoding=e, lang="eng", desc="", text="la la"), WXXX(encoding=e, desc="home", url="http://h.invalid/"),
          TXXX(encoding=e, desc="GAIN", text="-6 dB"), APIC(encoding=e, mime="image/png", type=3, data=b"P" * 20000)]:
    t.add(f)
t.save(sys.argv[1], v2_version=int(sys.argv[2]), v1=0)
)PY";

TEST(FieldsOnlyRead, GivesTheFieldsOfTheFullRead) {
  support::TempDir dir;
  const std::string greek = "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1";
  const struct {
    const char* name;
    std::string bytes, mutagen, title;  // mutagen: the arguments of the tagging script, if any
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
      {"mutagen v2.4 UTF-8", support::Audio(40), "4 3", greek},
      {"mutagen v2.4 UTF-16", support::Audio(40), "4 1", greek},
      {"mutagen v2.3 UTF-16", support::Audio(40), "3 1", greek},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const std::string path = dir.file(std::string(file.name) + ".mp3");
    ASSERT_TRUE(support::WriteFileBytes(path, file.bytes));
    if (!file.mutagen.empty()) {
      ASSERT_TRUE(support::CommandSucceeds(support::SystemPython() + " -c " + support::ShellQuote(kMutagen) + " " +
                                           support::ShellQuote(path) + " " + file.mutagen));
    }
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
