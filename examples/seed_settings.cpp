// Gives settings that hold no folder list yet the sample folder: its maps
// and tours are listed, one map is current, the other maps and every tour
// are checked. Settings that already hold a folder list are left alone, so
// what a user saved survives the next start. The manager's own pages do the
// work (as on a first start), so the settings come out exactly as the
// program writes them.
// Usage: rovanta_sample_settings FOLDER [CURRENT_MAP]
#include "app/qt/qt_settings_access.h"
#include "common/file_names.h"
#include "manager/folder_list.h"
#include "manager/sample_folder.h"
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
    std::size_t found = 0;
    {
        cl_Manager manager(settings);
        found = registerSampleFolder(manager, toUtf8(folder), argc == 3 ? argv[2] : "Sample West");
    } // the manager writes everything back here
    if (!settings.flush()) {
        std::fprintf(stderr, "rovanta_sample_settings: cannot write %s\n", qPrintable(where));
        return 1;
    }
    std::printf("Settings in %s list %zu maps of %s.\n", qPrintable(where), found, toUtf8(folder).c_str());
    return 0;
}
