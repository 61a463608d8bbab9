#include "manager/cl_tour_list.h"

#include "common/file_names.h"
#include "gpx/tour_export.h"
#include "manager/file_facts.h"
#include "manager/folder_list.h"
#include "ports/rename_prompt.h"

#include <algorithm>
#include <filesystem>

namespace rovanta {
namespace fs = std::filesystem;

namespace {
constexpr std::string_view kTourExtension = ".TXT";

// The name becomes a file name in the tour's folder: no path.
bool isPlainFileName(std::string_view name)
{
    return name != "." && name != ".." &&
           std::ranges::none_of(name, [](char c) { return c == '/' || c == '\\' || c == '\0'; });
}

// The remarks file the tour's save wrote, found in any letter case.
fs::path remarksOf(const std::string& tourPath)
{
    const fs::path exact = toFsPath(remarksPathFor(tourPath));
    return findInFolderIgnoreCase(exact.parent_path(), toUtf8(exact.filename()));
}

// Renames the tour file and its remarks file (which keeps its extension's
// spelling) as a pair: when the remarks cannot follow, the tour file goes
// back, so no tour is parted from its remarks or given another's.
bool renamePair(const std::string& oldPath, const std::string& dir, const std::string& newName)
{
    const fs::path newTour = toFsPath(dir + newName + std::string(kTourExtension));
    const fs::path remarks = remarksOf(oldPath);
    if (remarks.empty())
        return renameNoReplace(toFsPath(oldPath), newTour);
    const fs::path newRemarks = toFsPath(dir + newName + toUtf8(remarks.extension()));
    if (!remarksOf(toUtf8(newTour)).empty() || !renameNoReplace(toFsPath(oldPath), newTour))
        return false;
    if (renameNoReplace(remarks, newRemarks))
        return true;
    // Best effort: the rename has failed either way; this only tries to
    // keep tour and remarks under one name.
    static_cast<void>(renameNoReplace(newTour, toFsPath(oldPath)));
    return false;
}
} // namespace

cl_TourList::cl_TourList(ActionButton& button, const std::string& folderList, TourCollection& store,
                         const std::string& saveFolder)
    : RecordPage(button, folderList, store), saveFolder_(saveFolder)
{
    for (auto& item : working_) {
        item.second->setFound(1);
        if (item.second->status() == kStatusCurrent)
            item.second->setStatus(kStatusChecked);
    }
}

void cl_TourList::open()
{
    refresh();
}

void cl_TourList::refresh()
{
    current_ = refreshEntries();
}

void cl_TourList::commit()
{
    current_ = commitRecords();
}

void cl_TourList::search()
{
    const auto dropped = searchFolders(kTourExtension, [this](const std::string& folder, const std::string& file) {
        const std::string name = file.substr(0, file.rfind('.'));
        if (const auto known = working_.find(name); known != working_.end()) {
            known->second->setFound(1);
            return;
        }
        auto tour = std::make_shared<cl_Tour>();
        if (tour->load(name, joinFolderFile(folder, file), kStatusUnchecked))
            working_.emplace(name, std::move(tour));
    });
    if (std::ranges::find(dropped, current_) != dropped.end())
        current_ = nullptr;
}

void cl_TourList::toggle(int row)
{
    if (!recordAt(row) || toggleChecked(row))
        return;
    uncheckCurrent(row);
    current_ = nullptr;
}

void cl_TourList::show(int row)
{
    TourRecord record = recordAt(row);
    if (!record)
        return;
    makeRowCurrent(row);
    current_ = record;
}

void cl_TourList::rename(int row)
{
    TourRecord record = recordAt(row);
    if (!record)
        return;
    const std::optional<std::string> newName = askNewName(entries_[row].text);
    if (!newName)
        return;
    const std::string oldPath = record->path();
    const auto separator = std::ranges::find_if(oldPath.rbegin(), oldPath.rend(), isPathSeparator);
    const std::string dir = oldPath.substr(0, static_cast<std::size_t>(oldPath.rend() - separator));
    const std::string newPath = dir + *newName + std::string(kTourExtension);
    if (!acceptsNewName(row, *newName) || !isPlainFileName(*newName) || oldPath.empty() ||
        !renamePair(oldPath, dir, *newName)) {
        showMessage(strings::tr(strings::kRenameNotPossible), kMessageOk);
        return;
    }
    record->setPath(newPath);
    record->setName(*newName);
    renameRow(row, *newName);
}

void cl_TourList::remove(int row)
{
    if (!recordAt(row))
        return;
    if (const TourRecord removed = askAndRemoveRow(row, strings::kDeleteTourQuestion); removed && removed == current_)
        current_ = nullptr;
}

std::optional<PropertiesText> cl_TourList::properties(int row) const
{
    const TourRecord record = recordAt(row);
    if (!record)
        return std::nullopt;
    std::string body = strings::tr(strings::kPropertyPath) + record->path() + "\n";
    if (const std::optional<FileFacts> facts = lookUpFile(record->path())) {
        body += strings::tr(strings::kPropertyDate) + facts->date + "\n";
        body += strings::tr(strings::kPropertySize) + std::to_string(facts->size) + " Bytes\n";
    } else {
        body += strings::tr(strings::kFileNotFound) + "\n";
    }
    return PropertiesText{entries_[row].text, body};
}

void cl_TourList::exportGpx(int row)
{
    if (const TourRecord record = recordAt(row))
        exportTourFile(*record, ExportFormat::gpx, kDecimalDegree, saveFolder_);
}

TourRecord cl_TourList::newTour()
{
    current_ = nullptr;
    std::erase_if(working_, [](const auto& item) { return item.second->found() == 0; });
    for (auto& item : working_) {
        if (item.second->status() == kStatusCurrent)
            item.second->setStatus(kStatusChecked);
    }
    const std::string name(kNewTourName);
    if (const auto known = working_.find(name); known != working_.end()) {
        known->second->clear();
        // It is the tour being edited now, so it is marked current like a
        // fresh one; a checked mark would lose it at the next refresh.
        known->second->setStatus(kStatusCurrent);
        current_ = known->second;
    } else {
        current_ = std::make_shared<cl_Tour>(name, kStatusCurrent);
        current_->setPath("");
        working_.emplace(name, current_);
    }
    return current_;
}

void cl_TourList::releaseCurrentTour()
{
    for (auto& item : working_) {
        if (item.second->status() == kStatusCurrent)
            item.second->setStatus(kStatusChecked);
    }
    current_ = nullptr;
}

void cl_TourList::restoreCurrentTour(const TourRecord& tour)
{
    releaseCurrentTour();
    if (!tour)
        return;
    // Listed again, or the page's next refresh would take it from the view.
    working_.try_emplace(tour->name(), tour);
    tour->setFound(1);
    tour->setStatus(kStatusCurrent);
    current_ = tour;
}

} // namespace rovanta
