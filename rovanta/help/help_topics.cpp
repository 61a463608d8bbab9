#include "help/help_topics.h"

#include "resources/command_ids.h"
#include "resources/help_ids.h"

namespace rovanta::help {

std::string_view fileNameFor(int language)
{
    return language == kEnglish ? "RovantaENG.chm" : "RovantaDEU.chm";
}

std::string_view pageFor(int context, bool popupOpen)
{
    switch (context) {
    case commandContext(commands::kManager):
        return "Manager.htm";
    case commandContext(commands::kNewTour):
    case commandContext(commands::kSaveTour):
    case commandContext(commands::kTourDistances):
    case commandContext(commands::kUndo):
    case commandContext(commands::kRedo):
        return "TourMenu.htm";
    case commandContext(commands::kPrintMap):
        return "PrintMap.htm";
    case resourceContext(kMainWindow):
        return popupOpen ? "TourPopup.htm" : "";
    case resourceContext(kMapsPage):
        return "Maps.htm";
    case resourceContext(kToursPage):
        return "Tours.htm";
    case resourceContext(kFoldersPage):
        return "Folders.htm";
    case resourceContext(kTourDistancesDialog):
    case resourceContext(kRemarksDialog):
        return "TourDistances.htm";
    default:
        return "";
    }
}

std::string topicFor(std::string_view helpFile, int language, int context, bool popupOpen)
{
    std::string topic(helpFile);
    const std::string_view page = pageFor(context, popupOpen);
    if (page.empty())
        return topic;
    topic += language == kEnglish ? "::/HTML/Eng/" : "::/HTML/Ger/";
    topic += page;
    return topic;
}

} // namespace rovanta::help
