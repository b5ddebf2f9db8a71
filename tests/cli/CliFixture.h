// Helpers for the command-line tests: MP3 files made by our writers, runs of the commands
// in the test process and through the real program, and the driver of the command tables.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace cli::test {

using Words = std::vector<std::string>;

struct Outcome {
  int status = -1;
  std::string out, err;
};

inline Outcome RunHere(const Words& arguments, formats::FileSystem* fs = nullptr) {
  std::ostringstream out, err;
  CliIo io{out, err, false, fs != nullptr ? fs : &formats::FileSystem::standard()};
  const int status = RunCli(arguments, io);
  return {status, out.str(), err.str()};
}

// The same through the program, run in `folder`, each argument handed over as its bytes.
inline Outcome RunProgram(const Words& arguments, const std::string& folder) {
  // ctest names the program; run by hand, the test finds it in the build tree.
  const char* named = std::getenv("TONEWRIGHT_CLI");
  const std::string program = named != nullptr ? named
                                               : std::filesystem::canonical("/proc/self/exe").parent_path().string() +
                                                     "/../cli/tonewright-cli";
  std::string command = "cd " + support::ShellQuote(folder) + " && " + support::ShellQuote(program);
  for (const std::string& argument : arguments) command += " " + support::ShellQuote(argument);
  support::TempDir errors;
  Outcome run;
  run.status = support::RunCommand(command + " 2>" + support::ShellQuote(errors.file("stderr")), run.out);
  run.err = support::ReadFileBytes(errors.file("stderr"));
  return run;
}

struct Tags {
  std::string title, artist, album, year, comment, track;
};

// Silent audio with both tags written by our writers.
inline void MakeMp3(const std::string& path, const Tags& tags, int frames = 20) {
  ASSERT_TRUE(support::WriteFileBytes(path, formats::SilentMpegFrames(frames)));
  formats::clsID3V111Writer v1;
  formats::clsID3V230Writer v2;
  v1.setSongTitle(tags.title), v2.setSongTitle(tags.title);
  v1.setArtist(tags.artist), v2.setArtist(tags.artist);
  v1.setAlbum(tags.album), v2.setAlbum(tags.album);
  v1.setYear(tags.year), v2.setYear(tags.year);
  v1.setComment(tags.comment), v2.setComment(tags.comment);
  v2.setTrack(tags.track);
  v1.WriteID3V111Tag(path);
  ASSERT_TRUE(v2.WriteID3V230Tag(path));
}

// Every name in the folder with its bytes, to show that a run changed nothing.
inline std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const std::string& name : support::FolderEntries(folder)) {
    const std::string path = folder + "/" + name;
    files.emplace_back(name, std::filesystem::is_directory(path) ? "/" : support::ReadFileBytes(path));
  }
  return files;
}

// The text with each "%" replaced by the folder.
inline std::string In(std::string text, const std::string& folder) {
  for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + folder.size()))
    text.replace(at, 1, folder);
  return text;
}

// The pictures the tests write into files.
inline const std::string Jpeg = support::Bytes("\xFF\xD8\xFF\xE0" "jpeg body");
inline const std::string Png = support::Bytes("\x89PNG\r\n\x1A\n") + std::string(5000, 'P');  // read from the file, not memory

// The folder as a line per name, which goes on with an MP3 file's fields as info --fields
// gives them (the empty ones at the end left out), with the size of any other file or the
// name of the picture it holds ("/" for a folder).
inline std::string Contents(const std::string& bytes) {
  return bytes == Jpeg ? "Jpeg" : bytes == Png ? "Png" : std::to_string(bytes.size());
}
inline std::string Listing(const std::string& folder) {
  std::string listing;
  for (const std::string& name : support::FolderEntries(folder)) {
    const bool mp3 = name.size() > 4 && name.compare(name.size() - 4, 4, ".mp3") == 0;
    const std::string line = mp3 ? RunHere({"info", "--fields", folder + "/" + name}).out
                             : std::filesystem::is_directory(folder + "/" + name)
                                 ? "\t/"
                                 : "\t" + Contents(support::ReadFileBytes(folder + "/" + name));
    listing += name + line.substr(line.find('\t'), line.find_last_not_of("\t\n") + 1 - line.find('\t')) + "\n";
  }
  return listing;
}

// A row of a command table: command lines divided by ";" ("%" in a word stands for the
// row's folder), the exit status of the last, a text their output and one their errors
// hold, and the folder afterwards: "=" for every file byte for byte as before, else the
// lines of its Listing that are new (a file changed, so that the listing need not show it).
struct Row {
  Words line;
  int status;
  std::string out, err, after = "=";
  // Run on the fresh folder before the commands: the state it gives is held until the row
  // ends (a row whose start gives none does not apply here).
  std::function<std::shared_ptr<void>(const std::string& folder)> start = nullptr;
};

// Each row on a fresh folder that `make` fills, with a journal of its own; run in this
// process (through `fs` when given), or with `program` by the program in that folder.
inline void RunRows(const std::vector<Row>& rows, const std::function<void(const support::TempDir&)>& make,
                    bool program = false, formats::FileSystem* fs = nullptr) {
  for (const Row& row : rows) {
    const support::ScopedDataHome home;
    const support::TempDir dir;
    make(dir);
    const std::shared_ptr<void> held = row.start ? row.start(dir.path()) : nullptr;
    if (row.start && !held) continue;
    const auto before = Snapshot(dir.path());
    const std::string listed = Listing(dir.path());
    SCOPED_TRACE(::testing::PrintToString(row.line));
    std::vector<Words> lines(1);
    for (const std::string& word : row.line) {
      if (word == ";") lines.emplace_back();
      else lines.back().push_back(In(word, dir.path()));
    }
    Outcome all;
    for (const Words& line : lines) {
      const Outcome run = program ? RunProgram(line, dir.path()) : RunHere(line, fs);
      all = {run.status, all.out + run.out, all.err + run.err};
    }
    EXPECT_EQ(all.status, row.status) << all.err;
    EXPECT_NE(all.out.find(In(row.out, dir.path())), std::string::npos) << all.out;
    EXPECT_NE(all.err.find(In(row.err, dir.path())), std::string::npos) << all.err;
    EXPECT_EQ(Snapshot(dir.path()) == before, row.after == "=");
    if (row.after == "=") continue;
    std::istringstream after(Listing(dir.path()));
    std::string added;
    for (std::string line; std::getline(after, line);)
      if (listed.find(line + "\n") != 0 && listed.find("\n" + line + "\n") == std::string::npos) added += line + "\n";
    EXPECT_EQ(added, In(row.after, dir.path()));
  }
}

}  // namespace cli::test
