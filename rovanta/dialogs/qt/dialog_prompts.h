// The GUI's answers to the core's rename and save-file questions.
#pragma once

#include "ports/open_file_prompt.h"
#include "ports/rename_prompt.h"
#include "ports/save_file_prompt.h"

#include <QPointer>
#include <QWidget>

namespace rovanta {

/// Runs the rename dialog over `parent`.
class DialogRenamePrompt : public RenamePrompt {
public:
    explicit DialogRenamePrompt(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::string> askNewName(const std::string& oldName) override;

private:
    QPointer<QWidget> parent_;
};

/// Runs the platform's save-file dialog over `parent`, without its own
/// overwrite question (the caller asks).
class FileDialogSavePrompt : public SaveFilePrompt {
public:
    explicit FileDialogSavePrompt(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::string> askSaveFile(const SaveFileRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

/// Runs the platform's open-file dialog over `parent`; any name may be
/// typed, the caller checks that the file exists.
class FileDialogOpenPrompt : public OpenFilePrompt {
public:
    explicit FileDialogOpenPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::string> askOpenFile(const OpenFileRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

/// The description and patterns of a filter "Text File (*.TXT) | *.TXT||"
/// as a file dialog's name filter: "Text File (*.TXT) (*.TXT *.txt)".
/// Patterns also match their lower-case spelling, as on Windows.
QString nameFilterFor(const std::string& filter);

} // namespace rovanta
