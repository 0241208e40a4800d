// Unpacking an archive named as the source: the archive is copied to a fixed name, a console
// archiver chosen per archive type runs on the copy, and the folder it fills becomes the source,
// as if the user had named that folder.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/code_page.h"
#include "platform/desktop.h"
#include "settings/settings_store.h"
#include "startup/window_ports.h"

namespace lorvane {

struct UnpackContext {
    std::u16string srcPath;        // the archive
    std::u16string docsPath;       // receives the copy "Lorva.<type>" and the folder "Lorva/"
    std::u16string desktopPath;    // where the archiver chooser starts when no archiver is found
    std::u16string programFolder;  // holds "Arch.txt"
    std::shared_ptr<const CodePage> codePage;
    Desktop& desktop;
    SettingsStore& settings;
    FileWindowPort& fileWindow;  // its lister decides whether files have appeared
    // How long the archiver may run; one still running then is stopped and counts as failed.
    std::chrono::milliseconds archiverLimit{120000};
};

// Unpacks the archive of type `E` (the source's extension without its dot, letter case as
// written) and returns the folder holding its files, without a trailing separator, or the empty
// text when it could not be unpacked. The archiver's path is remembered per type under
// "Settings\Arc" after a success and forgotten after a failure.
std::u16string Unpack(const std::u16string& E, const UnpackContext& context);

}  // namespace lorvane
