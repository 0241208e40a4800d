// Archiver arguments from an archive-list template: "%file%" and "%path%" (any letter case) and
// the first "%path=folder%" are filled in so that every path the program inserts stays inside
// the argument the template wrote it in, whatever characters the path holds.
#pragma once

#include <string>
#include <string_view>

namespace lorvane {

struct ArchiverArguments {
    std::u16string text;       // a command line to split by the Windows rules
    std::u16string unpackDir;  // the given folder, or the one written with "%path="
};

// The template is split into arguments by the Windows rules first; the placeholders are then
// replaced inside each argument: `archCopy` for "%file%", `unpackDir` for "%path%". The folder of
// the first "%path=" runs to the next "%" of its argument (to the argument's end when none
// follows), has its "\" turned into the platform separator, stays in the argument in place of the
// placeholder and becomes the unpack folder; text after its closing "%" is kept. The arguments
// are joined again, each quoted only where it needs it, so the text reads back into exactly these
// arguments.
ArchiverArguments expandArchiveTemplate(std::u16string_view templateText,
                                        std::u16string_view archCopy,
                                        std::u16string_view unpackDir);

// The value written so that splitCommandLine reads it back as one argument: as it is when it
// holds no space, tab or quote, otherwise quoted with its quotes and backslashes escaped.
std::u16string quoteArgument(std::u16string_view value);

}  // namespace lorvane
