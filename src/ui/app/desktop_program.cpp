#include "ui/app/desktop_program.h"

#include "pipeline/conversion_session.h"
#include "platform/text_file_reader.h"
#include "startup/special_folder_path.h"
#include "startup/unpack/archive_unpacker.h"
#include "ui/app/file_window_adapter.h"
#include "ui/file_window/file_window.h"
#include "ui/main_window/main_window.h"

namespace lorvane {

DesktopProgram::DesktopProgram(DesktopProgramConfig config)
    : config_(std::move(config)), programEnd_(config_.stopEventLoop) {
    if (!config_.specialFolder) config_.specialFolder = SpecialFolderPath;
    if (!config_.tableCodePage) config_.tableCodePage = config_.codePage;
    values_.programFolder = config_.programFolder;
    session_ = std::make_unique<ConversionSession>(
        SessionConfig{config_.programFolder, config_.codePage->number(),
                      config_.specialFolder(kPersonalFolder), &config_.desktop,
                      config_.tableCodePage->number()});
    fileWindow_ =
        std::make_unique<FileWindow>(*session_, config_.settings, config_.desktop, values_);
    fileLink_ = std::make_unique<FileWindowAdapter>(*fileWindow_);
    mainWindow_ = std::make_unique<MainWindow>(*session_, config_.settings, config_.desktop,
                                               values_, *fileLink_, programEnd_);
    QObject::connect(fileWindow_.get(), &FileWindow::programEnding, mainWindow_.get(), [this] {
        mainWindow_->hide();
        programEnd_.request();
    });
    QObject::connect(fileWindow_.get(), &FileWindow::selectionNeeded, mainWindow_.get(),
                     [this] { mainWindow_->show(); });
}

DesktopProgram::~DesktopProgram() = default;

StartupOutcome DesktopProgram::start(const std::vector<std::u16string>& arguments) {
    // Start-up reads the program folder's files (files.txt, Arch.txt).
    const CodePage& page = *config_.tableCodePage;
    StartupContext context{
        arguments,
        {},
        config_.executableName,
        config_.desktop,
        *mainWindow_,
        *fileWindow_,
        programEnd_,
        [this, &page](const std::u16string& path) {
            return ReadTextFile(path, page, &config_.desktop);
        },
        [this](const std::u16string& type) {
            return Unpack(type,
                          UnpackContext{values_.SrcPath, values_.DocsPath, values_.DesktopPath,
                                        values_.programFolder, config_.tableCodePage,
                                        config_.desktop,
                                        config_.settings, *fileWindow_});
        },
        config_.specialFolder};
    return runStartup(values_, context);
}

}  // namespace lorvane
