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
        {kAppTitle, "Rovanta"},
        {kIdleMessage, "For Help, press F1"},
        {kManager, "Activate the Manager Tool\nManager"},
        {kZoomIn, "Zoom into the map\nZoomIn"},
        {kZoomOut, "Zoom out the map\nZoomOut"},
        {kWholeMap, "Show the whole map in the window\nWholeMap"},
        {kZoomOneToOne, "Show the map at its own size\n1:1"},
        {kAddPointCenter, "Add a new point to the tour. Center this position.\nAddPoint"},
        {kDeleteLastPoint, "Delete the last point\nDeleteLastPoint"},
        {kNewTour, "Initialize a new tour\nNewTour"},
        {kSaveTour, "Save the last tour\nSaveTour"},
        {kNextMap, "Display the next map\nNextMap"},
        {kZoomInHere, "Zoom in,  positioning this point in the midle of the screen\nZoomInHere"},
        {kZoomOutHere, "Zoom out, positioning this point in the midle of the screen\nZoomOutHere"},
        {kTourDistances, "Display tour distances\nTourDistance"},
        {kPrintMap, "Print the map at a true scale with the tour\nPrint Map"},
        {kDeleteThisPoint, "Deletes the point under the cursor\nDeleteThisPoint"},
        {kMoveThisPoint, "Move this point to the next marked position\nMoveThisPoint"},
        {kInsertBeforeThis, "Insert a point before this point\nInsertBeforeThis"},
        {kClearTour, "Clear the current tour\nClearTour"},
        {kUndo, "Undo the last change of the tour\nUndo"},
        {kRedo, "Redo the change undone last\nRedo"},
        {kAppAbout, "Display program information and version\nAbout"},
        {kAppExit, "Quit Rovanta\nExit"},
        {kViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
        {kViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
        {kUtmGrid, "Show or hide the UTM grid of the map's zone\nUTM Grid"},
        {kGoToPosition, "Show a position typed in degrees or UTM\nGo to Position"},
        {kHelpTopics, "List Help topics\nHelp Topics"},
        {kContextHelp, "Display help for clicked on buttons, menus and windows\nHelp"},
        {kFileNew, "Start over with the selected map\nNew"},
        {kKeywordNotFound, "Keyword %1 not found!"},
        {kDeleteMapQuestion, "You will delete the Map Name %1 from the Maps List (the Map and the Cal-File will not be "
                             "deleted)! Continue?"},
        {kDeleteTourQuestion,
         "You will delete the Tour Name %1 from the Tour List (not the Tur-File itself)! Continue?"},
        {kFileExistsQuestion, "The File allready exists! Continue?"},
        {kTourNotSavedQuestion, "Last Tour is not saved! Would you save it?"},
    }};
    for (const auto& [key, text] : kTable) {
        if (key == id)
            return text;
    }
    return {};
}

std::string_view commandPrompt(int id)
{
    const std::string_view text = loadString(id);
    return text.substr(0, text.find('\n'));
}

std::string_view commandTooltip(int id)
{
    const std::string_view text = loadString(id);
    const auto newline = text.find('\n');
    return newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
}

} // namespace rovanta::strings
