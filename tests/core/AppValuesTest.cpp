#include "core/AppValues.h"
#include "core/Paths.h"

#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace {


// Sets an environment variable for the time of a test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

TEST(AppValuesTest, PreparePathsDerivesEveryPathFromTheSettingsFolder) {
  support::TempDir runtime;
  ScopedEnv xdg("XDG_RUNTIME_DIR", core::RemoveBackslash(runtime.folder()));
  core::AppValues values;
  core::PreparePaths(values, "/usr/bin/tonewright", "/home/anna/.config/tonewright");
  EXPECT_EQ(values.AppExeName + "|" + values.AppPath + "|" + values.IniFile + "|" + values.IndexDir + "|" + values.CoverDir,
            "tonewright|/home/anna/.config/tonewright/|/home/anna/.config/tonewright/tonewright.ini|"
            "/home/anna/.config/tonewright/Index/|/home/anna/.config/tonewright/Cover Art/");
  EXPECT_EQ(values.TempIndexFile, runtime / "tonewright/index.htm");
  EXPECT_EQ(values.TempCoverBase, runtime / "tonewright/cover");
  core::PreparePaths(values, "/opt/tone/Tonewright.bin", "");  // no settings folder: the program's own
  EXPECT_EQ(values.IniFile, "/opt/tone/Tonewright.ini");
}

// What may stand where the folder belongs: a folder with a wide mode (narrowed), a runtime
// folder of another user (the system's temporary folder instead), a link to nothing, a file,
// a folder of another user (all three refused).
TEST(AppValuesTest, PrivateTempDirIsOwnAnd0700AndRefusesWhatIsNotSafe) {
  for (int planted = 0; planted < 5; ++planted) {
    support::TempDir runtime, tmp, elsewhere;
    ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.folder()), tmpdir("TMPDIR", tmp.folder());
    const std::string name = runtime / "tonewright";
    const std::string fallback = tmp / ("tonewright-" + std::to_string(geteuid()));
    int made = 0;
    if (planted == 0) made = mkdir(name.c_str(), 0777) + chmod(name.c_str(), 0777);
    if (planted == 1) made = chown(runtime.folder().c_str(), 12345, 12345);
    if (planted == 2) made = symlink((elsewhere / "gone").c_str(), name.c_str());
    if (planted == 3) support::WriteFileBytes(name, "x");
    if (planted == 4) made = mkdir(name.c_str(), 0700) + chown(name.c_str(), 12345, 12345);
    ASSERT_EQ(made, 0);
    const std::string expected = planted == 0 ? name : planted == 1 ? fallback : "";
    EXPECT_EQ(core::PrivateTempDir(), expected.empty() ? "" : expected + "/") << planted;
    EXPECT_EQ(ModeOf(expected), expected.empty() ? 0u : 0700u) << planted;
    EXPECT_FALSE(core::FolderExists(elsewhere / "gone")) << "nothing created through the link";
    core::AppValues values;  // and a refused folder names no temporary file
    core::PreparePaths(values, "/usr/bin/tonewright", "/home/anna/");
    EXPECT_EQ(values.TempDir.empty() && values.TempIndexFile.empty() && values.TempCoverBase.empty(), expected.empty());
  }
}

TEST(AppValuesTest, DeleteTemporaryPicturesDeletesOnlyFlaggedFilesFromOneOn) {
  support::TempDir dir;
  for (const char* name : {"zero", "cover1.jpg", "kept.jpg"}) support::WriteFileBytes(dir / name, "x");
  std::vector<core::PictureRecord> pictures{{dir / "zero", 3, "", 0, 0, true},  // element 0 holds no picture
                                            {dir / "cover1.jpg", 3, "Front", 10, 1, true},
                                            {dir / "kept.jpg", 4, "", 0, 1, false},
                                            {dir / "already gone.jpg", 0, "", 0, 1, true}};
  core::DeleteTemporaryPictures(pictures);
  EXPECT_EQ(pictures.size(), 1u);
  EXPECT_EQ(support::FolderEntries(dir.folder()), (std::vector<std::string>{"kept.jpg", "zero"}));
}

}  // namespace
