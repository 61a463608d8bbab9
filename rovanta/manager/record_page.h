// What the maps page and the tours page have in common: a working
// collection sharing the store's records, the sorted list of found records
// with their state icons, and the entry shown as current.
#pragma once

#include "common/file_names.h"
#include "common/text_convert.h"
#include "common/translation.h"
#include "manager/folder_list.h"
#include "manager/list_page.h"
#include "manager/page_state.h"
#include "manager/records.h"
#include "ports/message.h"
#include "resources/string_table.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace rovanta {

template <class Record> class RecordPage : public ListPage {
public:
    using RecordPtr = std::shared_ptr<Record>;
    using Collection = std::map<std::string, RecordPtr, NameOrder>;

    const std::vector<ListEntry>& entries() const override { return entries_; }
    int currentIndex() const override
    {
        if (!currentKey_)
            return -1;
        const auto it = std::ranges::find(entries_, *currentKey_, &ListEntry::text);
        return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
    }
    void activate() override
    {
        refresh();
        button_ = {ROVANTA_TR_NOOP("rovanta::ManagerSheet", "Search"), true};
    }
    /// The records as this page edits them; they reach the store on commit.
    const Collection& working() const { return working_; }

protected:
    /// `folderList` and `store` are the store's: the page searches the
    /// folder list as it stands and fills the store on commit.
    RecordPage(ActionButton& button, const std::string& folderList, Collection& store)
        : working_(store), button_(button), folderList_(folderList), store_(store)
    {
    }

    /// Commit: the store holds the working records; returns the last one
    /// marked current.
    RecordPtr commitRecords()
    {
        store_ = working_;
        RecordPtr current;
        for (const auto& item : working_) {
            if (item.second->status() == kStatusCurrent)
                current = item.second;
        }
        return current;
    }

    /// Search: each file of each listed folder ending in `extension` goes
    /// to `visit(folder, file)`; then the page is refreshed and the records
    /// not met leave it (the store and the view may still hold them). Returns
    /// those records.
    template <class Visit> std::vector<RecordPtr> searchFolders(std::string_view extension, Visit visit)
    {
        return searchEachFolder([&](const std::string& folder) {
            for (const std::string& file : listFolderFiles(folder, extension))
                visit(folder, file);
        });
    }

    /// As searchFolders, with each folder visited as a whole.
    template <class VisitFolder> std::vector<RecordPtr> searchEachFolder(VisitFolder visitFolder)
    {
        for (auto& item : working_)
            item.second->setFound(0);
        for (const std::string& folder : walkFolderList(folderList_))
            visitFolder(folder);
        refresh();
        std::vector<RecordPtr> dropped;
        std::erase_if(working_, [&](const auto& item) {
            if (item.second->found() != 0)
                return false;
            dropped.push_back(item.second);
            return true;
        });
        return dropped;
    }

    /// Click on an unchecked or checked entry flips it; false for the
    /// other icons, which each page treats in its own way.
    bool toggleChecked(int row)
    {
        const int icon = entries_[row].icon;
        if (icon != kStatusUnchecked && icon != kStatusChecked)
            return false;
        setRowStatus(row, icon == kStatusChecked ? kStatusUnchecked : kStatusChecked);
        return true;
    }

    /// The current entry clicked: unchecked, and nothing is current.
    void uncheckCurrent(int row)
    {
        setRowStatus(row, kStatusUnchecked);
        currentKey_.reset();
    }

    /// Lists every found record with its status as icon; the last entry
    /// showing "current" becomes the current entry, and its record is
    /// returned.
    RecordPtr refreshEntries()
    {
        entries_.clear();
        RecordPtr current;
        for (const auto& [name, record] : working_) {
            if (record->found() == 0)
                continue;
            entries_.push_back({name, record->status()});
            if (record->status() == kStatusCurrent)
                current = record;
        }
        findCurrentEntry();
        return current;
    }

    void findCurrentEntry()
    {
        const auto last = std::ranges::find(entries_.rbegin(), entries_.rend(), int{kStatusCurrent}, &ListEntry::icon);
        currentKey_ = last == entries_.rend() ? std::nullopt : std::optional<std::string>(last->text);
    }

    /// Nothing for a row that is not listed.
    RecordPtr recordAt(int row) const
    {
        if (row < 0 || row >= static_cast<int>(entries_.size()))
            return nullptr;
        const auto it = working_.find(entries_[row].text);
        return it == working_.end() ? nullptr : it->second;
    }

    void setRowStatus(int row, int status)
    {
        entries_[row].icon = status;
        recordAt(row)->setStatus(status);
    }

    /// Show: the entry that was current becomes checked, `row` current.
    void makeRowCurrent(int row)
    {
        if (const int current = currentIndex(); current >= 0)
            setRowStatus(current, kStatusChecked);
        setRowStatus(row, kStatusCurrent);
        currentKey_ = entries_[row].text;
    }

    /// A new name must be given and must not be another record's name (in
    /// any letter case), or one record would replace the other.
    bool acceptsNewName(int row, const std::string& newName) const
    {
        if (newName.empty())
            return false;
        return std::ranges::none_of(working_, [&](const auto& item) {
            return item.first != entries_[row].text && equalsIgnoreCase(item.first, newName);
        });
    }

    /// The entry shows the new name, unchecked, at its sorted place; the
    /// record moves to the new key. The record's own status stays.
    void renameRow(int row, const std::string& newName)
    {
        const std::string oldName = entries_[row].text;
        auto node = working_.extract(oldName);
        node.key() = newName;
        working_.insert(std::move(node));
        entries_.erase(entries_.begin() + row);
        const auto place = std::ranges::lower_bound(entries_, newName, NameOrder{}, &ListEntry::text);
        entries_.insert(place, ListEntry{newName, kStatusUnchecked});
        if (currentKey_ == oldName)
            currentKey_ = newName;
    }

    /// Asks the delete question for the entry; on Yes takes it off the list
    /// and the collection and returns its record. No file is touched.
    RecordPtr askAndRemoveRow(int row, int questionId)
    {
        const std::string name = entries_[row].text;
        const std::string question = replacePlaceholder(strings::text(questionId), name);
        if (showMessage(question, kMessageYesNo) != kAnswerYes)
            return nullptr;
        RecordPtr record = recordAt(row);
        entries_.erase(entries_.begin() + row);
        working_.erase(name);
        findCurrentEntry();
        return record;
    }

    Collection working_;
    std::vector<ListEntry> entries_;
    std::optional<std::string> currentKey_;
    ActionButton& button_;
    const std::string& folderList_;

private:
    Collection& store_;
};

} // namespace rovanta
