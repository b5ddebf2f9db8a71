#include "core/AppValues.h"
#include "core/Paths.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace {

using coretest::TempFolder;
using coretest::WriteFile;

// Sets (or clears) an environment variable for the time of a test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      setenv(name_, value->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

std::string FallbackName() { return "tonewright-" + std::to_string(geteuid()); }

TEST(AppValuesTest, PreparePathsDerivesEveryPathFromTheSettingsFolder) {
  TempFolder runtime;
  ScopedEnv xdg("XDG_RUNTIME_DIR", core::RemoveBackslash(runtime.path()));
  core::AppValues values;
  core::PreparePaths(values, "/usr/bin/tonewright", "/home/anna/.config/tonewright");
  EXPECT_EQ(values.AppExeName, "tonewright");
  EXPECT_EQ(values.AppPath, "/home/anna/.config/tonewright/");
  EXPECT_EQ(values.IniFile, "/home/anna/.config/tonewright/tonewright.ini");
  EXPECT_EQ(values.IndexDir, "/home/anna/.config/tonewright/Index/");
  EXPECT_EQ(values.CoverDir, "/home/anna/.config/tonewright/Cover Art/");
  EXPECT_EQ(values.TempDir, runtime / "tonewright/");
  EXPECT_EQ(values.TempIndexFile, runtime / "tonewright/index.htm");
  EXPECT_EQ(values.TempCoverBase, runtime / "tonewright/cover");
  EXPECT_EQ(ModeOf(values.TempDir), 0700u);
  // Without a settings folder the program's own folder holds the settings.
  core::PreparePaths(values, "/opt/tone/Tonewright.bin", "");
  EXPECT_EQ(values.IniFile, "/opt/tone/Tonewright.ini");
}

TEST(AppValuesTest, PrivateTempDirIsOwnAnd0700) {
  TempFolder runtime, foreign, tmp;
  ScopedEnv tmpdir("TMPDIR", tmp.path());
  {
    ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.path());
    ASSERT_EQ(mkdir((runtime / "tonewright").c_str(), 0777), 0);
    ASSERT_EQ(chmod((runtime / "tonewright").c_str(), 0777), 0);
    EXPECT_EQ(core::PrivateTempDir(), runtime / "tonewright/");
    EXPECT_EQ(ModeOf(runtime / "tonewright"), 0700u);  // a wide mode is narrowed
  }
  // No runtime folder, or one of another user: the system's temporary folder.
  ASSERT_EQ(chown(foreign.path().c_str(), 12345, 12345), 0);
  for (const std::optional<std::string>& xdg : {std::optional<std::string>{}, std::optional(foreign.path())}) {
    ScopedEnv env("XDG_RUNTIME_DIR", xdg);
    EXPECT_EQ(core::PrivateTempDir(), tmp / (FallbackName() + "/"));
    EXPECT_EQ(ModeOf(tmp / FallbackName()), 0700u);
  }
}

TEST(AppValuesTest, PrivateTempDirRefusesWhatIsNotSafe) {
  // What may already stand where the folder belongs: a link (to a folder or to nothing),
  // a file, a folder of another user.
  for (int planted = 0; planted < 4; ++planted) {
    TempFolder runtime, elsewhere;
    ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.path());
    const std::string name = runtime / "tonewright";
    int made = 0;
    if (planted == 0) made = symlink(elsewhere.path().c_str(), name.c_str());
    if (planted == 1) made = symlink((elsewhere / "gone").c_str(), name.c_str());
    if (planted == 2) WriteFile(name, "x");
    if (planted == 3) made = mkdir(name.c_str(), 0700) + chown(name.c_str(), 12345, 12345);
    ASSERT_EQ(made, 0);
    EXPECT_EQ(core::PrivateTempDir(), "") << planted;
    EXPECT_FALSE(core::FolderExists(elsewhere / "gone")) << "nothing created through the link";
    core::AppValues values;  // and no temporary file is named
    core::PreparePaths(values, "/usr/bin/tonewright", "/home/anna/");
    EXPECT_EQ(values.TempDir + values.TempIndexFile + values.TempCoverBase, "");
  }
}

TEST(AppValuesTest, DeleteTemporaryPicturesDeletesOnlyFlaggedFilesFromOneOn) {
  TempFolder dir;
  for (const char* name : {"zero", "cover1.jpg", "kept.jpg"}) WriteFile(dir / name, "x");
  std::vector<core::PictureRecord> pictures(4);
  pictures[0] = {dir / "zero", 3, "", 0, 0, true};  // element 0 never holds a picture
  pictures[1] = {dir / "cover1.jpg", 3, "Front", 10, 1, true};
  pictures[2] = {dir / "kept.jpg", 4, "", 0, 1, false};
  pictures[3] = {dir / "already gone.jpg", 0, "", 0, 1, true};
  core::DeleteTemporaryPictures(pictures);
  EXPECT_EQ(pictures.size(), 1u);
  EXPECT_EQ(coretest::FolderEntries(dir.path()), (std::vector<std::string>{"kept.jpg", "zero"}));
}

}  // namespace
