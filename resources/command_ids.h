// Command ids of the menus, the toolbar, the accelerators and the popup
// menus. Help contexts are derived from them (id + 65536), so they keep the
// numbers users' help files and settings already know.
#pragma once

namespace rovanta::commands {

// File and application.
inline constexpr int kFileNew = 57600;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kOpenTour = 32830;
/// The Recent Tours submenu: kRecentTour + 0 is the newest of eight.
inline constexpr int kRecentTour = 32840;
inline constexpr int kRecentTourCount = 8;
inline constexpr int kPrintMap = 32856;

// Edit.
inline constexpr int kUndo = 32854;
inline constexpr int kRedo = 32855;

// View.
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kZoomIn = 32787;
inline constexpr int kZoomOut = 32788;
inline constexpr int kWholeMap = 32850;
inline constexpr int kZoomOneToOne = 32851;
inline constexpr int kUtmGrid = 32852;
inline constexpr int kGoToPosition = 32853;

// Tour.
inline constexpr int kNewTour = 32792;
inline constexpr int kSaveTour = 32793;
inline constexpr int kClearTour = 32811;
inline constexpr int kTourDistances = 32803;
inline constexpr int kImportGpx = 32831;
inline constexpr int kExportGpx = 32832;
inline constexpr int kExportKml = 32833;
inline constexpr int kExportCsv = 32834;

// The Manager command on the menu bar itself.
inline constexpr int kManager = 32771;

// Help.
inline constexpr int kHelpTopics = 57667;
inline constexpr int kGermanHelp = 32810;
inline constexpr int kEnglishHelp = 32809;
inline constexpr int kContextHelp = 57669; ///< Shift+F1, the toolbar's help button
inline constexpr int kHelp = 57670;        ///< F1

// The map view's popup menu.
inline constexpr int kAddPointCenter = 32790;
inline constexpr int kDeleteLastPoint = 32791;
inline constexpr int kNextMap = 32797;
inline constexpr int kZoomInHere = 32799;
inline constexpr int kZoomOutHere = 32800;
inline constexpr int kDeleteThisPoint = 32804;
inline constexpr int kMoveThisPoint = 32806;
inline constexpr int kInsertBeforeThis = 32807;

// The manager's list popup and its action button.
inline constexpr int kShow = 32772;
inline constexpr int kRename = 32774;
inline constexpr int kDelete = 32775;
inline constexpr int kProperties = 32776;
inline constexpr int kExportTourGpx = 32777; ///< the tours page only
inline constexpr int kAction = 1030;

/// The property every QAction carries with its command id.
inline constexpr char kIdProperty[] = "commandId";

} // namespace rovanta::commands
