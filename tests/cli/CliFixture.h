// Helpers for the command-line tests: MP3 files made by our writers, and runs of the
// commands in the test process and through the real program.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace cli::test {

using Words = std::vector<std::string>;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// A command line run in this process.
inline Outcome RunHere(const std::vector<std::string>& arguments, bool terminal = false) {
  std::ostringstream out, err;
  CliIo io{out, err, terminal};
  const int status = RunCli(arguments, io);
  return {status, out.str(), err.str()};
}

// A row of a table: the command, the row's options and the file or folder; a status other
// than the one expected names the row.
inline Outcome RunRow(std::vector<std::string> command, const std::vector<std::string>& options,
                      const std::string& target, int status) {
  command.insert(command.end(), options.begin(), options.end());
  command.push_back(target);
  const Outcome run = RunHere(command);
  EXPECT_EQ(run.status, status) << ::testing::PrintToString(command) << run.err;
  return run;
}

// The same through the program, each argument handed over as its bytes.
inline Outcome RunProgram(const std::vector<std::string>& arguments, const std::string& folder) {
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
  for (const std::string& name : support::FolderEntries(folder))
    files.emplace_back(name, support::ReadFileBytes(folder + "/" + name));
  return files;
}

}  // namespace cli::test
