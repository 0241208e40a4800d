// User output formats: for an output extension other than the built-in ones, a template file
// of that name in the format folder wraps the converted text. The line-end replacement a
// template sets stays in force for the rest of the session.
#pragma once

#include <memory>
#include <string>

#include "engine/table_settings.h"
#include "pipeline/script_step.h"
#include "platform/code_page.h"
#include "platform/failure.h"
#include "platform/file_lister.h"

namespace lorvane {

class UserFormats {
  public:
    // `lister` is the main window's file lister; preparing a template leaves it on the format
    // folder.
    UserFormats(std::u16string programFolder, std::shared_ptr<const CodePage> codePage,
                FileLister& lister);

    // The template body for `settings.extent` with its settings placeholders filled in, or
    // the empty text when there is no usable template. Sets templateEol from a "!!" line.
    std::u16string UserFormat(const TableSettings& settings);

    // The document: `text` poured into the template (every "[%Файл]" receives it; a
    // "[%Файл=name]" first runs that script on it), or `text` unchanged without a template.
    Expected<std::u16string> insert(std::u16string text, const TableSettings& settings,
                                    const ScriptStep& runScript);

    // What every line end of a converted text becomes in a template; empty: CR LF stays.
    const std::u16string& templateEol() const { return templateEol_; }

  private:
    std::u16string findTemplate(const std::u16string& extent);

    std::u16string programFolder_;
    std::shared_ptr<const CodePage> codePage_;
    FileLister& lister_;
    std::u16string templateEol_;
    std::u16string templatePath_;  // the template UserFormat read last
};

}  // namespace lorvane
