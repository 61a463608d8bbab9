#include "dialogs/qt/dialog_prompts.h"

#include "common/qt/display.h"
#include "dialogs/qt/rename_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace rovanta {

namespace {

// Asked from the Manager sheet, the dialog belongs on top of the sheet.
QWidget* ownerFor(QWidget* fallback)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : fallback;
}

/// Either file question; any name may be chosen, the caller checks it.
template <class Request>
std::optional<std::string> runFileDialog(const Request& request, QFileDialog::AcceptMode mode, QWidget* owner)
{
    QFileDialog dialog(owner, QString::fromStdString(request.title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QString suffix = QString::fromStdString(request.defaultExtension);
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    const QString filter = nameFilterFor(request.filter);
    if (!filter.isEmpty())
        dialog.setNameFilter(filter);
    if (!request.initialFolder.empty())
        dialog.setDirectory(qtPath(request.initialFolder));
    // The same lossy text as the folder's entries, so the choice finds the file.
    dialog.selectFile(qtPath(request.initialName));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return fileSystemPath(chosen.first());
}

} // namespace

std::optional<std::string> DialogRenamePrompt::askNewName(const std::string& oldName)
{
    RenameDialog dialog(displayText(oldName), ownerFor(parent_.data()));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return coreText(dialog.newName());
}

std::optional<std::string> FileDialogSavePrompt::askSaveFile(const SaveFileRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptSave, ownerFor(parent_.data()));
}

std::optional<std::string> FileDialogOpenPrompt::askOpenFile(const OpenFileRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen, ownerFor(parent_.data()));
}

QString nameFilterFor(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    if (parts.size() < 2)
        return {};
    const QString label = parts[0].trimmed();
    QStringList patterns;
    for (const QString& part : parts[1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty())
            continue;
        patterns << pattern;
        // Windows matches names regardless of case; the file dialog here
        // does not.
        if (pattern.toLower() != pattern)
            patterns << pattern.toLower();
    }
    if (label.isEmpty() || patterns.isEmpty())
        return {};
    return label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace rovanta
