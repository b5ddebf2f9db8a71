#include "texts/RunTexts.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

// Marks a source text for lupdate; the text itself is looked up when it is shown.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace texts {

namespace {

struct Row {
  const char* source;
  const char* english;
};

const Row EnglishRows[] = {
#include "RunTextsEnglish.inc"
};

// The system's own text of an error number (the thread-safe form; GNU's returns the text).
std::string SystemText(int error) {
  char buffer[256] = {};
#if defined(_GNU_SOURCE)
  return ::strerror_r(error, buffer, sizeof buffer);
#else
  return ::strerror_r(error, buffer, sizeof buffer) == 0 ? std::string(buffer) : "error " + std::to_string(error);
#endif
}

}  // namespace

std::string English(const char* source) {
  for (const Row& row : EnglishRows)
    if (std::strcmp(row.source, source) == 0) return row.english;
  return source;
}

std::string Arg(const std::string& text, const std::vector<std::string>& args) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '0') : 0;
    if (text[i] == '%' && n >= 1 && n <= 9 && n <= args.size()) {
      out += args[n - 1];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

RunTexts::RunTexts(Translator translate) : translate_(std::move(translate)) {}

std::string RunTexts::say(const char* source) const { return translate_ ? translate_(source) : std::string(source); }

std::string RunTexts::status(const formats::Status& status) const {
  using formats::Failure;
  switch (status.failure) {
    case Failure::None: return {};
    case Failure::Damaged: return say(QT_TRANSLATE_NOOP("texts::RunTexts", "der Tag ist beschädigt und würde ersetzt"));
    case Failure::OutOfRange: return say(QT_TRANSLATE_NOOP("texts::RunTexts", "Tracknummer außerhalb 0..255"));
    case Failure::Refused:
      return Arg(say(QT_TRANSLATE_NOOP("texts::RunTexts", "Speichern abgelehnt: ginge verloren: %1")), {losses(status.losses)});
    case Failure::Io: break;
  }
  switch (status.error) {
    case ENOSPC:
    case EDQUOT: return say(QT_TRANSLATE_NOOP("texts::RunTexts", "Datenträger voll"));
    case EROFS:
    case EPERM:
    case EACCES: return say(QT_TRANSLATE_NOOP("texts::RunTexts", "schreibgeschützt"));
    case ENOENT: return say(QT_TRANSLATE_NOOP("texts::RunTexts", "die Datei ist verschwunden"));
    default: return SystemText(status.error);
  }
}

std::string RunTexts::loss(const formats::Loss& loss) const {
  const std::string version = std::to_string(loss.version);
  switch (loss.kind) {
    case formats::Loss::Kind::UnreadableTag:
      return Arg(say(QT_TRANSLATE_NOOP("texts::RunTexts", "der ID3v2.%1-Tag, der nicht lesbar ist: %2")), {version, loss.detail});
    case formats::Loss::Kind::DamagedBytes:
      return Arg(say(QT_TRANSLATE_NOOP("texts::RunTexts", "die beschädigten Bytes des ID3v2.%1-Tags: %2")), {version, loss.detail});
    case formats::Loss::Kind::Frame: break;
  }
  return Arg(say(QT_TRANSLATE_NOOP("texts::RunTexts", "der Rahmen %1: %2")), {loss.frame, loss.detail});
}

std::string RunTexts::losses(const std::vector<formats::Loss>& losses) const {
  std::string text;
  for (std::size_t i = 0; i < losses.size(); ++i) text += (i == 0 ? "" : "; ") + loss(losses[i]);
  return text;
}

std::string RunTexts::reason(const tagging::FileOutcome& outcome) const {
  using tagging::Reason;
  const formats::Failure failure = outcome.status.failure;
  // A refusal and a track out of range say all themselves; an error of the system follows the reason.
  if (failure == formats::Failure::Refused || failure == formats::Failure::OutOfRange) return status(outcome.status);
  std::string text;
  switch (outcome.reason) {
    case Reason::Done: text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "erledigt")); break;
    case Reason::Skipped: text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "ausgelassen")); break;
    case Reason::NotWritable: text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "kann nicht geschrieben werden")); break;
    case Reason::TargetExists: text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "Zieldatei existiert bereits")); break;
    case Reason::NameNotUsable: text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "Name nicht verwendbar")); break;
    case Reason::TrackOutOfRange: text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "Tracknummer außerhalb 0..255")); break;
    case Reason::NotReadable: text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "kann nicht gelesen werden")); break;
    case Reason::LeftOut: text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "nicht aufgenommen (mehr als 101 Dateien)")); break;
    case Reason::Cancelled: text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "nicht bearbeitet: abgebrochen")); break;
  }
  if (failure != formats::Failure::None) text += ": " + status(outcome.status);
  return text;
}

std::string RunTexts::failureMessage(const std::vector<tagging::FileOutcome>& outcomes, std::size_t shown) const {
  const std::vector<tagging::FileOutcome> failed = tagging::Failures(outcomes);
  if (failed.empty()) return {};
  std::string text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "Diese Dateien konnten nicht geändert werden:"));
  const std::size_t listed = std::min(failed.size(), shown);
  for (std::size_t i = 0; i < listed; ++i) text += "\n" + failed[i].path + ": " + reason(failed[i]);
  if (listed < failed.size())
    text += "\n" + Arg(say(QT_TRANSLATE_NOOP("texts::RunTexts", "... und %1 weitere")), {std::to_string(failed.size() - listed)});
  return text;
}

std::string RunTexts::forceHint() const {
  return say(QT_TRANSLATE_NOOP("texts::RunTexts", "(--force speichert trotzdem)"));
}

std::string RunTexts::unchangedNote() const {
  return say(QT_TRANSLATE_NOOP("texts::RunTexts", "; die Datei ist unverändert"));
}

std::string RunTexts::mergeNotice(const tagging::MergePlan& plan, const tagging::MergeResult& result) const {
  std::string text;
  if (!result.album.empty() && !result.atTarget) {
    if (plan.target.empty())
      text = say(QT_TRANSLATE_NOOP("texts::RunTexts", "Der Albumname ist als Dateiname nicht verwendbar."));
    else
      text = Arg(say(QT_TRANSLATE_NOOP("texts::RunTexts", "Eine Datei namens %1 existiert bereits.")), {plan.target});
    text += "\n" + Arg(say(QT_TRANSLATE_NOOP("texts::RunTexts", "Das Album liegt unter %1; keine andere Datei wurde geändert.")),
                       {result.album});
  }
  if (!result.album.empty() && !result.tagged)
    text += std::string(text.empty() ? "" : "\n") + say(QT_TRANSLATE_NOOP("texts::RunTexts", "Das Album konnte keine Tags erhalten."));
  return text;
}

}  // namespace texts
