// The commands of tonewright-cli with their options, help texts and examples.
#include "cli/Command.h"

namespace cli {

namespace {

const OptionSpec Recursive{{"r", "recursive"}, {}, "Take the files of sub-folders of folder arguments too."};
const OptionSpec Force{{"force"}, {}, "Save even where a file would lose tag data the save cannot keep."};
const OptionSpec Pattern{{"pattern"}, "WORDS",
                         "The pieces of a file name joined by the separator: Nr, Interpret, Titel, Album "
                         "(or track, artist, title, album)."};
const OptionSpec Separator{{"separator"}, "TEXT", "The separator of the pieces (default \" - \")."};
const OptionSpec DryRun{{"n", "dry-run"}, {}, "Print what would be done and change nothing."};

}  // namespace

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands{
      {"info", "FILE...",
       "Print the MPEG facts (with a VBR frame's), the ID3v1.1 tag, the ID3v2 version with every frame, and "
       "the merged fields of each file as one JSON document.",
       "tonewright-cli info --recursive ~/Music > tags.json",
       {{{"fields"}, {}, "Print only the merged fields, one tab-separated line per file: path, title, artist, "
                         "album, year, track, genre, comment, composer, original artist, subtitle, copyright, "
                         "encoded by, language, URLs (divided by \"|\"), lyrics."},
        {{"header"}, {}, "With --fields: first a line that names the columns."},
        Recursive},
       &RunInfo},
      {"set", "FILE...",
       "Save fields into the files as the window's save does, keeping everything else in the files. An empty "
       "value (--composer=) removes the field.",
       "tonewright-cli set --artist \"Night Ferry\" --album \"Harbour Lights\" --year 1981 ~/Music/Harbour",
       {{{"title"}, "TEXT", "The title."},
        {{"artist"}, "TEXT", "The artist."},
        {{"album"}, "TEXT", "The album."},
        {{"year"}, "YEAR", "The year."},
        {{"comment"}, "TEXT", "The comment."},
        {{"track"}, "N[/TOTAL]", "The track number (0 to 255), or number and total (3/12); the ID3v1.1 tag "
                                 "gets the number."},
        {{"genre"}, "NAME", "The genre."},
        {{"composer"}, "TEXT", "The composer."},
        {{"original-artist"}, "TEXT", "The original artist."},
        {{"subtitle"}, "TEXT", "The subtitle."},
        {{"copyright"}, "TEXT", "The copyright."},
        {{"encoded-by"}, "TEXT", "Who encoded the file."},
        {{"language"}, "TEXT", "The language of the lyrics (such as deu or eng)."},
        {{"url"}, "URL", "A web address; may be given more than once, and replaces the file's addresses "
                         "(--url= removes them)."},
        {{"lyrics"}, "TEXT|@FILE", "The lyrics, or @FILE to read them from a text file (@@ for a text that "
                                   "starts with @)."},
        {{"picture"}, "TYPE=IMAGE", "Embed the picture file IMAGE as the picture of TYPE (a number or a name such "
                                    "as front-cover), replacing one of that type; may be given more than once."},
        {{"remove-picture"}, "TYPE", "Remove the pictures of TYPE; may be given more than once."},
        Recursive, Force, DryRun},
       &RunSet},
      {"remove", "FILE...",
       "Remove the ID3v1.1 tag, the ID3v2 tag, both, or the first picture of a type, from each file that has it.",
       "tonewright-cli remove --v1 --recursive ~/Music/Old",
       {{{"v1"}, {}, "Remove the ID3v1.1 tag."},
        {{"v2"}, {}, "Remove the ID3v2 tag."},
        {{"both"}, {}, "Remove both tags."},
        {{"picture"}, "TYPE", "Remove the first picture of TYPE (a number or a name such as front-cover)."},
        Recursive, Force, DryRun},
       &RunRemove},
      {"fill", "FILE...",
       "Fill the tags of files from their names, split at the separator (the batch panel's first mode).",
       "tonewright-cli fill --pattern \"Nr - Interpret - Titel\" --dry-run ~/Music/Harbour",
       {Pattern, Separator,
        {{"skip"}, "N", "Leave out the first N characters of every name."},
        {{"untagged-only"}, {}, "Fill only files without any tag."},
        Recursive, Force, DryRun},
       &RunFill},
      {"rename", "FILE...",
       "Rename files from their tags, numbered in the order given; refused as a whole when two files would "
       "get the same name.",
       "tonewright-cli rename --pattern \"Nr - Interpret - Titel\" 3.mp3 1.mp3 2.mp3",
       {Pattern, Separator,
        {{"playlist"}, {}, "Also write the files, in the order given, as the playlist \"<folder name>.m3u8\" in "
                           "their folder (replacing one of that name)."},
        Recursive, DryRun},
       &RunRename},
      {"merge", "FILE...",
       "Join the audio of files of one folder, in the order given, into an album file with fresh tags from "
       "the first file; the files themselves stay as they are.",
       "tonewright-cli merge --dry-run ~/Music/Harbour/*.mp3",
       {{{"o", "output"}, "NAME", "The album file's name (default: Artist - Album (Year).mp3 of the first file)."},
        Separator, DryRun},
       &RunMerge},
      {"undo", "",
       "Take back the last run that changed files (of this program or its window): old tags, old names, "
       "deleted files out of the trash, a merged album into the trash. A file changed since that run is left "
       "alone and listed.",
       "tonewright-cli undo --list",
       {{{"list"}, {}, "List the runs the journal holds, oldest first."}, DryRun},
       &RunUndo},
      {"taglist", "FOLDER",
       "Write the HTML tag list of a folder, the page the window shows, to standard output or a file.",
       "tonewright-cli taglist --recursive --view album,year,time --lang en ~/Music --output ~/Music/index.htm",
       {Recursive,
        {{"view"}, "COLUMNS", "The optional columns, comma-separated: album, year, comment, time, kbps, mode "
                              "(default album,year; \"\" for none)."},
        {{"lang"}, "de|en", "The language of the page (default de)."},
        {{"o", "output"}, "PAGE", "Write the page into this file (replacing it) instead of standard output."}},
       &RunTagList},
      {"picture extract", "FILE",
       "Write the first picture of a type out of a file into a picture file (never replacing one unless --force).",
       "tonewright-cli picture extract --type front-cover \"01 - Night Ferry - Harbour Lights.mp3\" --output cover.jpg",
       {{{"type"}, "TYPE", "The picture type (a number or a name such as front-cover); default front-cover."},
        {{"o", "output"}, "IMAGE", "The picture file to write; default: the MP3 file's name with the picture's "
                                   "extension, beside it; \"-\" writes to standard output."},
        {{"force"}, {}, "Replace an existing picture file."}},
       &RunPictureExtract},
  };
  return commands;
}

}  // namespace cli
