#include "resources/string_table.h"

#include "resources/command_ids.h"

#include <array>
#include <utility>

namespace rovanta::strings {

std::string_view loadString(int id)
{
    // Texts exactly as the users know them, spelling included.
    using namespace commands;
    static constexpr std::array<std::pair<int, std::string_view>, 36> kTable{{
        {kAppTitle, ROVANTA_TR_NOOP("Strings", "Rovanta")},
        {kIdleMessage, ROVANTA_TR_NOOP("Strings", "For Help, press F1")},
        {kManager, ROVANTA_TR_NOOP("Strings", "Activate the Manager Tool\nManager")},
        {kZoomIn, ROVANTA_TR_NOOP("Strings", "Zoom into the map\nZoomIn")},
        {kZoomOut, ROVANTA_TR_NOOP("Strings", "Zoom out the map\nZoomOut")},
        {kWholeMap, ROVANTA_TR_NOOP("Strings", "Show the whole map in the window\nWholeMap")},
        {kZoomOneToOne, ROVANTA_TR_NOOP("Strings", "Show the map at its own size\n1:1")},
        {kAddPointCenter, ROVANTA_TR_NOOP("Strings", "Add a new point to the tour. Center this position.\nAddPoint")},
        {kDeleteLastPoint, ROVANTA_TR_NOOP("Strings", "Delete the last point\nDeleteLastPoint")},
        {kNewTour, ROVANTA_TR_NOOP("Strings", "Initialize a new tour\nNewTour")},
        {kSaveTour, ROVANTA_TR_NOOP("Strings", "Save the last tour\nSaveTour")},
        {kNextMap, ROVANTA_TR_NOOP("Strings", "Display the next map\nNextMap")},
        {kZoomInHere,
         ROVANTA_TR_NOOP("Strings", "Zoom in,  positioning this point in the midle of the screen\nZoomInHere")},
        {kZoomOutHere,
         ROVANTA_TR_NOOP("Strings", "Zoom out, positioning this point in the midle of the screen\nZoomOutHere")},
        {kTourDistances, ROVANTA_TR_NOOP("Strings", "Display tour distances\nTourDistance")},
        {kPrintMap, ROVANTA_TR_NOOP("Strings", "Print the map at a true scale with the tour\nPrint Map")},
        {kDeleteThisPoint, ROVANTA_TR_NOOP("Strings", "Deletes the point under the cursor\nDeleteThisPoint")},
        {kMoveThisPoint, ROVANTA_TR_NOOP("Strings", "Move this point to the next marked position\nMoveThisPoint")},
        {kInsertBeforeThis, ROVANTA_TR_NOOP("Strings", "Insert a point before this point\nInsertBeforeThis")},
        {kClearTour, ROVANTA_TR_NOOP("Strings", "Clear the current tour\nClearTour")},
        {kUndo, ROVANTA_TR_NOOP("Strings", "Undo the last change of the tour\nUndo")},
        {kRedo, ROVANTA_TR_NOOP("Strings", "Redo the change undone last\nRedo")},
        {kAppAbout, ROVANTA_TR_NOOP("Strings", "Display program information and version\nAbout")},
        {kAppExit, ROVANTA_TR_NOOP("Strings", "Quit Rovanta\nExit")},
        {kViewToolbar, ROVANTA_TR_NOOP("Strings", "Show or hide the toolbar\nToggle ToolBar")},
        {kViewStatusBar, ROVANTA_TR_NOOP("Strings", "Show or hide the status bar\nToggle StatusBar")},
        {kUtmGrid, ROVANTA_TR_NOOP("Strings", "Show or hide the UTM grid of the map's zone\nUTM Grid")},
        {kGoToPosition, ROVANTA_TR_NOOP("Strings", "Show a position typed in degrees or UTM\nGo to Position")},
        {kHelpTopics, ROVANTA_TR_NOOP("Strings", "List Help topics\nHelp Topics")},
        {kContextHelp, ROVANTA_TR_NOOP("Strings", "Display help for clicked on buttons, menus and windows\nHelp")},
        {kFileNew, ROVANTA_TR_NOOP("Strings", "Start over with the selected map\nNew")},
        {kKeywordNotFound, ROVANTA_TR_NOOP("Strings", "Keyword %1 not found!")},
        {kDeleteMapQuestion,
         ROVANTA_TR_NOOP("Strings",
                         "You will delete the Map Name %1 from the Maps List (the Map and the Cal-File will not be "
                         "deleted)! Continue?")},
        {kDeleteTourQuestion,
         ROVANTA_TR_NOOP("Strings",
                         "You will delete the Tour Name %1 from the Tour List (not the Tur-File itself)! Continue?")},
        {kFileExistsQuestion, ROVANTA_TR_NOOP("Strings", "The File allready exists! Continue?")},
        {kTourNotSavedQuestion, ROVANTA_TR_NOOP("Strings", "Last Tour is not saved! Would you save it?")},
    }};
    for (const auto& [key, text] : kTable) {
        if (key == id)
            return text;
    }
    return {};
}

std::string tr(std::string_view source)
{
    return localized("Strings", source);
}

std::string text(int id)
{
    const std::string_view source = loadString(id);
    return source.empty() ? std::string() : tr(source);
}

// The two halves are translated together, so a translation keeps its line break.
std::string commandPrompt(int id)
{
    const std::string prompt = text(id);
    return prompt.substr(0, prompt.find('\n'));
}

std::string commandTooltip(int id)
{
    const std::string prompt = text(id);
    const auto newline = prompt.find('\n');
    return newline == std::string::npos ? std::string() : prompt.substr(newline + 1);
}

} // namespace rovanta::strings
