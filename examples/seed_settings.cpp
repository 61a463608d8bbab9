// Gives settings that hold no folder list yet the sample folder: its maps
// and tours are listed, one map is current, the other maps and every tour
// are checked. Settings that already hold a folder list are left alone, so
// what a user saved survives the next start. The manager's own pages do the
// work, so the settings come out exactly as the program writes them.
// Usage: rovanta_sample_settings FOLDER [CURRENT_MAP]
#include "app/qt/qt_settings_access.h"
#include "common/file_names.h"
#include "manager/cl_manager.h"
#include "manager/folder_list.h"
#include "manager/settings_layout.h"
#include "ports/message.h"

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {
using namespace rovanta;

// Notices (a bad calibration line, say) go to the terminal; questions are
// answered No, so nothing is done unasked.
class StderrAnswerer : public MessageAnswerer {
public:
    int answer(const std::string& text, MessageType type) override
    {
        std::fprintf(stderr, "rovanta_sample_settings: %s\n", text.c_str());
        return type == kMessageYesNo ? kAnswerNo : kAnswerOk;
    }
};

template <class Page> int rowOf(const Page& page, const std::string& name)
{
    for (std::size_t row = 0; row < page.entries().size(); ++row) {
        if (page.entries()[row].text == name)
            return static_cast<int>(row);
    }
    return -1;
}

// Registers `folder` and marks its records as a user would on the sheet.
// Returns how many maps it found.
std::size_t seed(SettingsAccess& settings, const std::string& folder, const std::string& currentMap)
{
    cl_Manager manager(settings);
    manager.beginSheet();
    manager.showPage(SheetPage::kFolders);
    std::string folders;
    appendFolder(folders, folder);
    manager.folderPage().setFolderText(folders);
    manager.folderPage().apply();

    manager.showPage(SheetPage::kMaps);
    cl_MapList& maps = manager.mapList();
    maps.search();
    const int current = rowOf(maps, currentMap);
    for (int row = 0; row < static_cast<int>(maps.entries().size()); ++row) {
        if (row != current)
            maps.toggle(row);
    }
    maps.show(current >= 0 ? current : 0);

    manager.showPage(SheetPage::kTours);
    cl_TourList& tours = manager.tourList();
    tours.search();
    for (int row = 0; row < static_cast<int>(tours.entries().size()); ++row)
        tours.toggle(row);

    manager.finishWithOk();
    return manager.maps().size();
} // the manager writes everything back here
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s FOLDER [CURRENT_MAP]\n", argv[0]);
        return 2;
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::weakly_canonical(std::filesystem::absolute(argv[1]), error);
    if (error || !std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "rovanta_sample_settings: %s is no folder\n", argv[1]);
        return 1;
    }

    if (listFolderFiles(toUtf8(folder), ".cal").empty()) {
        std::fprintf(stderr, "rovanta_sample_settings: %s holds no calibration files\n", argv[1]);
        return 1;
    }

    QtSettingsAccess settings;
    const QString where = settings.location();
    if (settings.readInt(settings::kSettings, settings::kFolderCount, -1) >= 0) {
        std::printf("Settings in %s already list folders; left as they are.\n", qPrintable(where));
        return 0;
    }
    StderrAnswerer answerer;
    ScopedMessageAnswerer scope(answerer);
    const std::size_t found = seed(settings, toUtf8(folder), argc == 3 ? argv[2] : "Sample West");
    if (!settings.flush()) {
        std::fprintf(stderr, "rovanta_sample_settings: cannot write %s\n", qPrintable(where));
        return 1;
    }
    std::printf("Settings in %s list %zu maps of %s.\n", qPrintable(where), found, toUtf8(folder).c_str());
    return 0;
}
