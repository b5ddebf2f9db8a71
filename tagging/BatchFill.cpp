#include "tagging/BatchFill.h"

#include "core/Paths.h"
#include "tagging/TagSaveRules.h"

namespace tagging {

std::string NameToParse(const std::string& path, double skip) {
  std::string name = core::FileNameOf(path);
  name.erase(name.size() >= 4 ? name.size() - 4 : 0);
  return SkipCharacters(name, skip);
}

std::vector<FillStep> FillTagsFromNames(const std::vector<std::string>& paths, const FillOptions& options,
                                        const ViewReader& read, const formats::FormatEnv& env,
                                        const Progress& progress,
                                        const std::function<void(const EditFields&)>& shown,
                                        const CancelToken* cancel) {
  std::vector<FillStep> steps;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    FillStep step;
    step.outcome.path = paths[i];
    if (Cancelled(cancel)) {
      step.outcome.reason = Reason::Cancelled;
      steps.push_back(std::move(step));
      continue;
    }
    if (progress) progress(i, paths.size());
    FileView view = read(paths[i]);
    step.fields = view.fields;
    if (options.noTagOnly && view.flags.TagFound) {
      step.outcome.reason = Reason::Skipped;
    } else {
      ApplyNamePieces(step.fields, options.words, NameToParse(paths[i], options.skip), options.separator);
      if (shown) shown(step.fields);
      if (!view.complete) {
        step.outcome.reason = Reason::NotReadable;
      } else if (ID3V111TrackNumber(step.fields.track).verdict == TrackVerdict::Refuse) {
        step.outcome.reason = Reason::TrackOutOfRange;
      } else if (!options.dryRun) {
        step.outcome.status = SaveTagsToFile(paths[i], step.fields, view.pictures, env, options.policy, &view.shown);
        if (!step.outcome.status) step.outcome.reason = Reason::NotWritable;
      }
      env.yieldNow();
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

}  // namespace tagging
