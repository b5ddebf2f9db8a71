#include "tagging/Journal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "core/Paths.h"

namespace tagging {

namespace {

constexpr char SnapMagic[] = "TWJSNAP1";
constexpr char DoneMagic[] = "TWJDONE1";
constexpr char EndMark[] = "TWJEND!!";
constexpr std::size_t MarkLength = 8;
constexpr std::size_t ID3V1Length = 128;
constexpr int MaxHeadTags = 16;  // ID3v2 tags one after another at the start of a file
constexpr std::size_t StampLength = 1 + 8 + 8 + 8;

// The journal keeps absolute paths: an undo may run from another folder than its run.
std::string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char cwd[4096];
  if (::getcwd(cwd, sizeof cwd) == nullptr) return path;
  std::string rest = path;
  while (rest.compare(0, 2, "./") == 0) rest.erase(0, 2);
  std::string folder = cwd;
  return core::AddBackslash(folder) + rest;
}

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

std::string DataHome() {
  return EnvOr("XDG_DATA_HOME", EnvOr("HOME", "/tmp") + "/.local/share");
}

void PutNumber(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}
void PutText(std::string& out, const std::string& text) {
  PutNumber(out, text.size(), 4);
  out += text;
}
void PutStamp(std::string& out, const FileStamp& stamp) {
  out.push_back(stamp.present ? '\1' : '\0');
  PutNumber(out, stamp.size, 8);
  PutNumber(out, static_cast<std::uint64_t>(stamp.seconds), 8);
  PutNumber(out, static_cast<std::uint64_t>(stamp.nanoseconds), 8);
}

// Reads a journal record front to back; every length is checked against the bytes left,
// so a damaged record reads as broken, never as a huge allocation.
class RecordReader {
 public:
  explicit RecordReader(formats::InputFile& in) : in_(in), size_(in.size()) {}
  bool ok() const { return ok_; }
  std::uint64_t at() const { return at_; }
  std::string bytes(std::uint64_t n) {
    std::string text;
    if (!ok_ || n > size_ - at_) return ok_ = false, text;
    text.resize(static_cast<std::size_t>(n));
    if (n > 0 && !in_.readAt(at_, &text[0], text.size())) ok_ = false;
    at_ += n;
    return text;
  }
  std::uint64_t number(int n) {
    const std::string raw = bytes(static_cast<std::uint64_t>(n));
    std::uint64_t value = 0;
    for (int i = ok_ ? n - 1 : -1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(raw[i]);
    return value;
  }
  std::string text() { return bytes(number(4)); }
  FileStamp stamp() {
    FileStamp stamp;
    stamp.present = number(1) != 0;
    stamp.size = number(8);
    stamp.seconds = static_cast<std::int64_t>(number(8));
    stamp.nanoseconds = static_cast<std::int64_t>(number(8));
    return stamp;
  }
  bool skip(std::uint64_t n) {
    if (!ok_ || n > size_ - at_) return ok_ = false;
    at_ += n;
    return true;
  }
  bool mark(const char* expected) { return bytes(MarkLength) == expected && ok_; }
  bool atEnd() const { return ok_ && at_ == size_; }

 private:
  formats::InputFile& in_;
  std::uint64_t size_;
  std::uint64_t at_ = 0;
  bool ok_ = true;
};

// Where a file's tags lie: the ID3v2 tags at its start, the audio, the ID3v1 tag at its end.
struct Layout {
  std::uint64_t head = 0;
  std::uint64_t audio = 0;
  std::uint64_t tail = 0;
};

// The length of the ID3v2 tags at the start: each is a 10-byte header with a 7-bit size
// (seven bits per byte), and a footer of 10 more bytes when its flags say so.
std::uint64_t HeadLength(formats::InputFile& in) {
  const std::uint64_t size = in.size();
  std::uint64_t at = 0;
  for (int tag = 0; tag < MaxHeadTags && size - at >= 10; ++tag) {
    unsigned char header[10];
    if (!in.readAt(at, header, sizeof header) || header[0] != 'I' || header[1] != 'D' || header[2] != '3') break;
    std::uint64_t length = 10;
    for (int i = 6; i < 10; ++i) length += std::uint64_t(header[i] & 0x7F) << (7 * (9 - i));
    if ((header[5] & 0x10) != 0) length += 10;
    at = std::min(size, at + length);
  }
  return at;
}

Layout LayoutOf(formats::InputFile& in) {
  Layout layout;
  const std::uint64_t size = in.size();
  layout.head = HeadLength(in);
  char mark[3];
  if (size - layout.head >= ID3V1Length && in.readAt(size - ID3V1Length, mark, 3) && mark[0] == 'T' &&
      mark[1] == 'A' && mark[2] == 'G')
    layout.tail = ID3V1Length;
  layout.audio = size - layout.head - layout.tail;
  return layout;
}

std::string RunStem(unsigned long long number) {
  std::string digits = std::to_string(number);
  return std::string(digits.size() < 10 ? 10 - digits.size() : 0, '0') + digits;
}

bool IsRunStem(const std::string& stem) {
  return stem.size() == 10 && stem.find_first_not_of("0123456789") == std::string::npos;
}

// The runs of the folder (stems), oldest first, and the .done stems among them.
std::vector<std::string> RunStems(const std::string& folder, const std::string& extension) {
  std::vector<std::string> stems;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return stems;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() == 10 + extension.size() && name.compare(10, std::string::npos, extension) == 0 &&
        IsRunStem(name.substr(0, 10)))
      stems.push_back(name.substr(0, 10));
  }
  ::closedir(dir);
  std::sort(stems.begin(), stems.end());
  return stems;
}

// One file of a snapshot as read back: its stamps and where its old tag bytes lie.
struct SnapEntry {
  std::string path;
  FileStamp before;
  Layout layout;
  std::uint64_t headAt = 0;  // offsets in the snapshot file
  std::uint64_t tailAt = 0;
};

struct DoneEntry {
  std::string after;      // the name it was left with; empty when the run trashed it
  std::string trashedAs;  // where a trashed file lies
  FileStamp stamp;
};

struct RunRecord {
  std::string title;
  std::int64_t time = 0;
  std::vector<SnapEntry> files;
  std::vector<DoneEntry> done;
  std::vector<std::pair<std::string, FileStamp>> created;
};

bool ReadSnapshot(formats::InputFile& in, RunRecord& run) {
  RecordReader read(in);
  if (!read.mark(SnapMagic)) return false;
  run.title = read.text();
  run.time = static_cast<std::int64_t>(read.number(8));
  const std::uint64_t count = read.number(4);
  for (std::uint64_t i = 0; i < count && read.ok(); ++i) {
    SnapEntry entry;
    entry.path = read.text();
    entry.before = read.stamp();
    entry.layout.head = read.number(8);
    entry.layout.audio = read.number(8);
    entry.layout.tail = read.number(8);
    entry.headAt = read.at();
    read.skip(entry.layout.head);
    entry.tailAt = read.at();
    read.skip(entry.layout.tail);
    if (read.ok()) run.files.push_back(entry);
  }
  return read.mark(EndMark) && read.atEnd();
}

bool ReadDone(formats::InputFile& in, RunRecord& run) {
  RecordReader read(in);
  if (!read.mark(DoneMagic)) return false;
  const std::uint64_t count = read.number(4);
  if (count != run.files.size()) return false;
  for (std::uint64_t i = 0; i < count && read.ok(); ++i) {
    DoneEntry entry;
    entry.after = read.text();
    entry.trashedAs = read.text();
    entry.stamp = read.stamp();
    run.done.push_back(entry);
  }
  const std::uint64_t created = read.number(4);
  for (std::uint64_t i = 0; i < created && read.ok(); ++i) {
    std::string path = read.text();
    const FileStamp stamp = read.stamp();
    run.created.emplace_back(path, stamp);
  }
  return read.mark(EndMark) && read.atEnd();
}

std::uint64_t SizeOf(const std::string& path) {
  const FileStamp stamp = StampOf(path);
  return stamp.present ? stamp.size : 0;
}

void SetTimes(const std::string& path, const FileStamp& stamp) {
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(stamp.seconds);
  times[1].tv_nsec = static_cast<long>(stamp.nanoseconds);
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// The old tags put back around the file's current audio, through a work file.
bool RestoreTags(formats::FileSystem& fs, formats::InputFile& snapshot, const SnapEntry& entry,
                 const std::string& path) {
  std::unique_ptr<formats::InputFile> current = fs.openRead(path);
  if (!current) return false;
  const std::uint64_t head = HeadLength(*current);
  if (entry.layout.audio > current->size() - head) return false;
  formats::WorkFile work(fs, path, ".undo");
  if (!work.ok() || !work.copyFrom(snapshot, entry.headAt, entry.layout.head, {}) ||
      !work.copyFrom(*current, head, entry.layout.audio, {}) ||
      !work.copyFrom(snapshot, entry.tailAt, entry.layout.tail, {}))
    return false;
  current.reset();
  if (!work.commit()) return false;
  SetTimes(path, entry.before);
  return true;
}

std::string PercentEncoded(const std::string& path) {
  static const char Hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      out.push_back(static_cast<char>(c));
    } else {
      out += '%';
      out += Hex[c >> 4];
      out += Hex[c & 15];
    }
  }
  return out;
}

}  // namespace

std::string DefaultJournalFolder() { return DataHome() + "/tonewright/journal/"; }

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  struct stat st {};
  if (path.empty() || ::lstat(path.c_str(), &st) != 0) return stamp;
  stamp.present = true;
  stamp.size = static_cast<std::uint64_t>(st.st_size);
  stamp.seconds = st.st_mtim.tv_sec;
  stamp.nanoseconds = st.st_mtim.tv_nsec;
  return stamp;
}

std::string TrashInfoOf(const std::string& trashedPath) {
  const std::string files = core::ParentFolder(trashedPath);
  return core::ParentFolder(core::RemoveBackslash(files)) + "info/" + core::FileNameOf(trashedPath) + ".trashinfo";
}

bool MoveToHomeTrash(const std::string& path, std::string& trashedPath) {
  std::string trash = DataHome() + "/Trash/";
  std::string files = trash + "files/";
  std::string info = trash + "info/";
  core::MakePath(files);
  core::MakePath(info);
  const std::string name = core::FileNameOf(path);
  char when[32] = {};
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", &local);
  const std::string text =
      "[Trash Info]\nPath=" + PercentEncoded(core::LongPath(path)) + "\nDeletionDate=" + when + "\n";
  for (int attempt = 1; attempt < 1000; ++attempt) {
    const std::string candidate =
        attempt == 1 ? name : core::StripExtension(name) + "." + std::to_string(attempt) +
                                  (name.find('.') != std::string::npos ? "." + core::AfterLast(name, '.') : "");
    // The info file comes first and is made only when new: it reserves the name.
    const std::string infoPath = info + candidate + ".trashinfo";
    const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) continue;
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    if (written && formats::FileSystem::standard().renameNoReplace(path, files + candidate)) {
      trashedPath = files + candidate;
      return true;
    }
    ::unlink(infoPath.c_str());
    if (!written || core::FileExists(path)) return false;
  }
  return false;
}

void JournalRun::renamed(const std::string& from, const std::string& to) {
  for (std::size_t i = 0; fs_ != nullptr && i < after_.size(); ++i)
    if (after_[i] == Absolute(from)) after_[i] = Absolute(to);
}

void RecordRenames(JournalRun& run, const std::vector<FileOutcome>& outcomes) {
  for (const FileOutcome& outcome : outcomes)
    if (!outcome.newPath.empty() && outcome.newPath != outcome.path) run.renamed(outcome.path, outcome.newPath);
}

void JournalRun::trashed(const std::string& path, const std::string& trashedPath) {
  for (std::size_t i = 0; fs_ != nullptr && i < after_.size(); ++i) {
    if (after_[i] != Absolute(path)) continue;
    after_[i].clear();
    trashedAs_[i] = Absolute(trashedPath);
  }
}

void JournalRun::created(const std::string& path) {
  if (fs_ != nullptr) created_.push_back(Absolute(path));
}

void JournalRun::abandon() {
  if (fs_ == nullptr || finished_) return;
  finished_ = true;
  fs_->remove(record_ + ".snap");
}

bool JournalRun::finish() {
  if (fs_ == nullptr || finished_) return false;
  finished_ = true;
  std::string record = DoneMagic;
  PutNumber(record, before_.size(), 4);
  for (std::size_t i = 0; i < before_.size(); ++i) {
    PutText(record, after_[i]);
    PutText(record, trashedAs_[i]);
    PutStamp(record, StampOf(after_[i].empty() ? trashedAs_[i] : after_[i]));
  }
  PutNumber(record, created_.size(), 4);
  for (const std::string& path : created_) {
    PutText(record, path);
    PutStamp(record, StampOf(path));
  }
  record += EndMark;
  const std::string target = record_ + ".done";
  formats::WorkFile work(*fs_, target, ".part");
  return work.ok() && work.write(record) && work.commitAsNew(target);
}

Journal::Journal(std::string folder, JournalLimits limits, formats::FileSystem& fs)
    : folder_(std::move(folder)), limits_(limits), fs_(fs) {
  core::AddBackslash(folder_);
}

JournalRun Journal::begin(const std::string& title, const std::vector<std::string>& files,
                          const std::vector<std::string>& keptWhole) {
  JournalRun run;
  struct Planned {
    std::string path;
    FileStamp stamp;
    Layout layout;
  };
  std::vector<Planned> planned;
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < files.size() + keptWhole.size(); ++i) {
    const std::string path = Absolute(i < files.size() ? files[i] : keptWhole[i - files.size()]);
    const FileStamp stamp = StampOf(path);
    std::unique_ptr<formats::InputFile> in = fs_.openRead(path);
    if (!stamp.present || !in) continue;
    Layout layout = LayoutOf(*in);
    if (i >= files.size()) layout = Layout{in->size(), 0, 0};
    planned.push_back({path, stamp, layout});
    total += layout.head + layout.tail;
  }
  // A snapshot beyond the journal's whole size would push out every other run and still
  // not fit: such a run is not recorded.
  if (total > limits_.bytes) return run;
  std::string folder = folder_;
  core::MakePath(folder);
  // The work files of records that a killed process never finished.
  fs_.removeLeftWorkFiles(folder_);

  const std::vector<std::string> stems = RunStems(folder_, ".snap");
  unsigned long long number = stems.empty() ? 1 : std::strtoull(stems.back().c_str(), nullptr, 10) + 1;
  formats::WorkFile work(fs_, folder_ + RunStem(number) + ".snap", ".part");
  std::string header = SnapMagic;
  PutText(header, title);
  PutNumber(header, static_cast<std::uint64_t>(std::time(nullptr)), 8);
  PutNumber(header, planned.size(), 4);
  bool ok = work.ok() && work.write(header);
  for (const Planned& file : planned) {
    if (!ok) break;
    std::string entry;
    PutText(entry, file.path);
    PutStamp(entry, file.stamp);
    PutNumber(entry, file.layout.head, 8);
    PutNumber(entry, file.layout.audio, 8);
    PutNumber(entry, file.layout.tail, 8);
    std::unique_ptr<formats::InputFile> in = fs_.openRead(file.path);
    ok = in && in->size() == file.stamp.size && work.write(entry) &&
         work.copyFrom(*in, 0, file.layout.head, {}) &&
         work.copyFrom(*in, file.layout.head + file.layout.audio, file.layout.tail, {});
  }
  ok = ok && work.write(std::string(EndMark));
  // Another process may have taken the number meanwhile: the next free one is tried.
  bool committed = false;
  for (int attempt = 0; ok && !committed && attempt < 100; ++attempt, ++number)
    committed = work.commitAsNew(folder_ + RunStem(number) + ".snap");
  if (!committed) return run;
  run.fs_ = &fs_;
  run.record_ = folder_ + RunStem(number - 1);
  for (const Planned& file : planned) run.before_.push_back(file.path);
  run.after_ = run.before_;
  run.trashedAs_.assign(run.before_.size(), std::string());
  prune(RunStem(number - 1));
  return run;
}

void Journal::prune(const std::string& keep) {
  std::vector<std::string> stems = RunStems(folder_, ".snap");
  // A .done whose snapshot is gone belongs to no run.
  for (const std::string& stem : RunStems(folder_, ".done"))
    if (!std::binary_search(stems.begin(), stems.end(), stem)) fs_.remove(folder_ + stem + ".done");
  std::uint64_t total = 0;
  for (const std::string& stem : stems) total += SizeOf(folder_ + stem + ".snap") + SizeOf(folder_ + stem + ".done");
  std::size_t oldest = 0;
  while (oldest < stems.size() && stems[oldest] != keep &&
         (stems.size() - oldest > limits_.runs || total > limits_.bytes)) {
    const std::string base = folder_ + stems[oldest];
    total -= std::min(total, SizeOf(base + ".snap") + SizeOf(base + ".done"));
    // The .done goes first: a prune cut short leaves a run that is never undone.
    fs_.remove(base + ".done");
    fs_.remove(base + ".snap");
    ++oldest;
  }
}

std::vector<JournalListing> Journal::list() const {
  std::vector<JournalListing> runs;
  const std::vector<std::string> done = RunStems(folder_, ".done");
  for (const std::string& stem : RunStems(folder_, ".snap")) {
    std::unique_ptr<formats::InputFile> snap = fs_.openRead(folder_ + stem + ".snap");
    RunRecord record;
    if (!snap || !ReadSnapshot(*snap, record)) continue;
    JournalListing listing{stem, record.title, record.time, record.files.size(), false};
    if (std::binary_search(done.begin(), done.end(), stem)) {
      std::unique_ptr<formats::InputFile> in = fs_.openRead(folder_ + stem + ".done");
      listing.complete = in && ReadDone(*in, record);
    }
    runs.push_back(listing);
  }
  return runs;
}

UndoResult Journal::undoLast(const TrashMove& trash, bool dryRun) {
  UndoResult result;
  const std::vector<JournalListing> runs = list();
  auto last = std::find_if(runs.rbegin(), runs.rend(), [](const JournalListing& run) { return run.complete; });
  if (last == runs.rend()) return result;
  const std::string base = folder_ + last->name;
  std::unique_ptr<formats::InputFile> snap = fs_.openRead(base + ".snap");
  std::unique_ptr<formats::InputFile> done = fs_.openRead(base + ".done");
  RunRecord run;
  if (!snap || !done || !ReadSnapshot(*snap, run) || !ReadDone(*done, run)) return result;
  result.found = true;
  result.title = run.title;

  for (const auto& [path, stamp] : run.created) {
    if (StampOf(path) != stamp) {
      result.changed.push_back(path);
      continue;
    }
    std::string trashedAs;
    if (dryRun || (trash && trash(path, trashedAs)))
      result.trashed.push_back(path);
    else
      result.failed.push_back(path);
  }
  // Backwards, so that names given one after another come free in the order they were taken.
  for (std::size_t i = run.files.size(); i-- > 0;) {
    const SnapEntry& file = run.files[i];
    const DoneEntry& left = run.done[i];
    const std::string now = left.after.empty() ? left.trashedAs : left.after;
    if (StampOf(now) != left.stamp || !left.stamp.present) {
      result.changed.push_back(now.empty() ? file.path : now);
      continue;
    }
    if (now != file.path && fs_.exists(file.path)) {
      result.failed.push_back(file.path);
      continue;
    }
    if (dryRun) {
      result.restored.push_back(file.path);
      continue;
    }
    const bool rewritten = left.stamp.size != file.before.size || left.stamp.seconds != file.before.seconds ||
                           left.stamp.nanoseconds != file.before.nanoseconds;
    if ((rewritten && !RestoreTags(fs_, *snap, file, now)) ||
        (now != file.path && !fs_.renameNoReplace(now, file.path))) {
      result.failed.push_back(file.path);
      continue;
    }
    if (!left.trashedAs.empty()) fs_.remove(TrashInfoOf(left.trashedAs));
    result.restored.push_back(file.path);
  }
  if (!dryRun) {
    snap.reset();
    done.reset();
    fs_.remove(base + ".done");
    fs_.remove(base + ".snap");
  }
  return result;
}

}  // namespace tagging
