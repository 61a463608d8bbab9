// The program's message texts: the numbered string resources and the few
// literal notices. Every text shown through showMessage or in the status bar
// comes from here.
#pragma once

#include "common/translation.h"

#include <string>
#include <string_view>

namespace rovanta::strings {

inline constexpr int kKeywordNotFound = 61204;    ///< %1: the calibration file's line
inline constexpr int kDeleteMapQuestion = 61205;  ///< %1: the map name
inline constexpr int kDeleteTourQuestion = 61206; ///< %1: the tour name
inline constexpr int kFileExistsQuestion = 61207;
inline constexpr int kTourNotSavedQuestion = 61208;

inline constexpr int kAppTitle = 57344;
inline constexpr int kIdleMessage = 57345; ///< the status bar's text when nothing is highlighted

inline constexpr std::string_view kNoSelectedMapFound = ROVANTA_TR_NOOP("Strings", "No selected Map found!");
inline constexpr std::string_view kRenameNotPossible = ROVANTA_TR_NOOP("Strings", "Rename not possible!");
inline constexpr std::string_view kFileNotFound = ROVANTA_TR_NOOP("Strings", "File not found!");
inline constexpr std::string_view kPrintingNotPossible = ROVANTA_TR_NOOP("Strings", "Printing not possible!");
inline constexpr std::string_view kScaleNotUnderstood =
    ROVANTA_TR_NOOP("Strings", "Please type the scale as 1:25000 or 25000!");
inline constexpr std::string_view kTooManyPages =
    ROVANTA_TR_NOOP("Strings", "The map needs too many pages at this scale!");
inline constexpr std::string_view kOverlapTooLarge =
    ROVANTA_TR_NOOP("Strings", "The overlap is too large for this paper!");
inline constexpr std::string_view kFileTooLarge =
    ROVANTA_TR_NOOP("Strings", "The File %1 is too large to be read!"); ///< %1: its path
/// %1: the file's path, %2: the system's reason
inline constexpr std::string_view kFileNotSaved = ROVANTA_TR_NOOP("Strings", "The File %1 could not be saved: %2");
/// %1: the file's path, %2: what is wrong with it
inline constexpr std::string_view kGpxNotRead = ROVANTA_TR_NOOP("Strings", "The File %1 is no usable GPX file: %2");
inline constexpr std::string_view kTourNotRead =
    ROVANTA_TR_NOOP("Strings", "The File %1 cannot be read as a tour!"); ///< %1: its path
inline constexpr std::string_view kNotAMap =
    ROVANTA_TR_NOOP("Strings", "The File %1 is no usable map calibration file!"); ///< %1: its path
/// %1: its path
inline constexpr std::string_view kFileKindUnknown =
    ROVANTA_TR_NOOP("Strings", "The File %1 is no tour (.TXT), GPX file (.gpx) or map (.cal)!");

// Go to Position.
inline constexpr std::string_view kGoToPositionTitle = ROVANTA_TR_NOOP("Strings", "Go to Position");
inline constexpr std::string_view kGoToPositionPrompt =
    ROVANTA_TR_NOOP("Strings", "Position in degrees, degrees and minutes, degrees, minutes and seconds, or UTM:");
/// Examples of every form Go to Position reads. The degree signs are typed
/// as such: lupdate would read "\u00B016" as one escape.
inline constexpr std::string_view kPositionNotUnderstood =
    ROVANTA_TR_NOOP("Strings", "Position not understood. Type it like one of these:\n"
                               "47.2683 11.3933\n"
                               "47°16.098' N 11°23.598' E\n"
                               "47°16'05.9\" N 11°23'35.9\" E\n"
                               "N 47 16.098 E 11 23.598\n"
                               "32T 680000 5237000");
inline constexpr std::string_view kPositionOffMaps = ROVANTA_TR_NOOP("Strings", "No checked map holds this position!");

// Status bar notices; %1 is a file's path.
inline constexpr std::string_view kBitmapNotFound = ROVANTA_TR_NOOP("Strings", "Bitmap not found: %1");
inline constexpr std::string_view kBitmapNotSupported = ROVANTA_TR_NOOP("Strings", "Bitmap format not supported: %1");
inline constexpr std::string_view kBitmapUnreadable = ROVANTA_TR_NOOP("Strings", "Bitmap cannot be read: %1");
inline constexpr std::string_view kHelpFileNotFound = ROVANTA_TR_NOOP("Strings", "Help file not found: %1");
/// Once, the first time a double click starts a tour.
inline constexpr std::string_view kDoubleClickStartedTour = ROVANTA_TR_NOOP(
    "Strings", "A new tour has started with this point. Double-click to add more; Tour > Save Tour keeps it.");
/// %2: percent done of converting the sheet into its tiled copy
inline constexpr std::string_view kPreparingSheet = ROVANTA_TR_NOOP("Strings", "Preparing %1 for display: %2 %");

// Why a calibration file or its bitmap cannot be used, listed once per
// Search or start; "%1" where a name goes.
inline constexpr std::string_view kLoadProblemsHeading = ROVANTA_TR_NOOP("Strings", "Problems in calibration files:");
inline constexpr std::string_view kMoreLoadProblems = ROVANTA_TR_NOOP("Strings", "... and %1 more");
/// %1: the number of the calibration file's line at fault
inline constexpr std::string_view kProblemAtLine = ROVANTA_TR_NOOP("Strings", ", line %1");
inline constexpr std::string_view kNoReferencePoint = ROVANTA_TR_NOOP("Strings", "no reference point");
inline constexpr std::string_view kOnlyOneReferencePoint = ROVANTA_TR_NOOP("Strings", "only one reference point");
inline constexpr std::string_view kSameReferencePixel =
    ROVANTA_TR_NOOP("Strings", "both reference points on the same pixel");
inline constexpr std::string_view kSameReferencePosition =
    ROVANTA_TR_NOOP("Strings", "both reference points at the same position");
inline constexpr std::string_view kReferencePointsTooFar =
    ROVANTA_TR_NOOP("Strings", "reference points too far apart or outside the UTM area");
inline constexpr std::string_view kNoBitmapNamed = ROVANTA_TR_NOOP("Strings", "no bitmap named (no FILENAME: line)");
inline constexpr std::string_view kProblemBitmapNotFound = ROVANTA_TR_NOOP("Strings", "bitmap not found: %1");
inline constexpr std::string_view kProblemBitmapUnreadable = ROVANTA_TR_NOOP("Strings", "bitmap not readable: %1");
inline constexpr std::string_view kProblemBitmapNotSupported =
    ROVANTA_TR_NOOP("Strings", "bitmap format not supported");
inline constexpr std::string_view kProblemRasterUnreadable = ROVANTA_TR_NOOP("Strings", "raster not readable: %1");
inline constexpr std::string_view kProblemNoCoordinateSystem =
    ROVANTA_TR_NOOP("Strings", "georeferenced, but no coordinate system");
inline constexpr std::string_view kProblemNoTransform = ROVANTA_TR_NOOP("Strings", "no transform to WGS 84: %1");
// What stands for the reason when GDAL gives none.
inline constexpr std::string_view kUnknownFormat = ROVANTA_TR_NOOP("Strings", "unknown format");
inline constexpr std::string_view kDegenerateTransform = ROVANTA_TR_NOOP("Strings", "degenerate geotransform");
inline constexpr std::string_view kControlPoints = ROVANTA_TR_NOOP("Strings", "control points");
inline constexpr std::string_view kUnknownHemisphere =
    ROVANTA_TR_NOOP("Strings", "hemisphere letter %1 is not N, E, O, S or W");
inline constexpr std::string_view kMissingHemisphere = ROVANTA_TR_NOOP("Strings", "hemisphere letter missing");

/// A text of this table in the interface's language.
std::string tr(std::string_view source);

// File dialogs: titles and filters ("Name (*.ext) | *.ext||").
inline constexpr std::string_view kSearchHelpFile = ROVANTA_TR_NOOP("Strings", "Search Help File");
inline constexpr std::string_view kHelpFileFilter = ROVANTA_TR_NOOP("Strings", "Help File (*.chm) | *.chm||");
inline constexpr std::string_view kTourFileFilter = ROVANTA_TR_NOOP("Strings", "Text File (*.TXT) | *.TXT||");
inline constexpr std::string_view kOpenTourFilter = ROVANTA_TR_NOOP("Strings", "Tours (*.TXT *.gpx) | *.TXT;*.gpx||");
inline constexpr std::string_view kGpxFileFilter = ROVANTA_TR_NOOP("Strings", "GPX File (*.gpx) | *.gpx||");
inline constexpr std::string_view kKmlFileFilter = ROVANTA_TR_NOOP("Strings", "KML File (*.kml) | *.kml||");
inline constexpr std::string_view kCsvFileFilter = ROVANTA_TR_NOOP("Strings", "CSV File (*.csv) | *.csv||");

/// %1: the tour's name, %2: when its recovery file was written
inline constexpr std::string_view kRecoverTourQuestion =
    ROVANTA_TR_NOOP("Strings", "Recover the unsaved tour \"%1\" from %2?");

// The properties dialog's labels, padded to one column.
inline constexpr std::string_view kPropertyPath = ROVANTA_TR_NOOP("Strings", "Path: ");
inline constexpr std::string_view kPropertyDate = ROVANTA_TR_NOOP("Strings", "Date:   ");
inline constexpr std::string_view kPropertyWidth = ROVANTA_TR_NOOP("Strings", "Width:  ");
inline constexpr std::string_view kPropertyHeight = ROVANTA_TR_NOOP("Strings", "Height: ");
inline constexpr std::string_view kPropertySize = ROVANTA_TR_NOOP("Strings", "Size:   ");
inline constexpr std::string_view kPropertyColor = ROVANTA_TR_NOOP("Strings", "Color:  ");
inline constexpr std::string_view kPropertySystem = ROVANTA_TR_NOOP("Strings", "System: ");
/// %1: metres per pixel
inline constexpr std::string_view kPropertyScale = ROVANTA_TR_NOOP("Strings", "Scale:  %1 m per pixel");
/// %1: the calibration point's number, %2: metres between it and where the others put it
inline constexpr std::string_view kPropertyPointOff = ROVANTA_TR_NOOP("Strings", "Point %1 off by %2 m");
/// %1: the UTM zone of a map calibrated by two points
inline constexpr std::string_view kTwoPointSystem =
    ROVANTA_TR_NOOP("Strings", "UTM zone %1 (WGS 84), two-point calibration");
inline constexpr std::string_view kUnnamedSystem = ROVANTA_TR_NOOP("Strings", "unnamed coordinate system");

// The Edit menu: the command alone, or with the step it undoes or redoes (%1).
inline constexpr std::string_view kUndoMenu = ROVANTA_TR_NOOP("Strings", "Undo");
inline constexpr std::string_view kRedoMenu = ROVANTA_TR_NOOP("Strings", "Redo");
inline constexpr std::string_view kUndoStep = ROVANTA_TR_NOOP("Strings", "Undo %1");
inline constexpr std::string_view kRedoStep = ROVANTA_TR_NOOP("Strings", "Redo %1");

// The printout's footer and north arrow.
/// %1: the tour's name, %2: its length in kilometres
inline constexpr std::string_view kFooterTour = ROVANTA_TR_NOOP("Strings", "Tour: %1   Distance: %2 km   ");
/// %1: the scale as 1:25 000, %2: the map's name
inline constexpr std::string_view kFooterMap = ROVANTA_TR_NOOP("Strings", "Scale %1   Map: %2");
/// %1: the page's label (B3), %2: its row and column spelt out, %3: its number, %4: the pages
inline constexpr std::string_view kFooterPage = ROVANTA_TR_NOOP("Strings", "Page %1 (%2), %3 of %4");
inline constexpr std::string_view kPageRowColumn = ROVANTA_TR_NOOP("Strings", "row %1, column %2");
inline constexpr std::string_view kGridNorth = ROVANTA_TR_NOOP("Strings", "GN");

/// The text of a numbered string resource, untranslated; empty for an unknown id. A
/// command id gives its prompt: the status bar text, then after a line
/// break the tooltip.
std::string_view loadString(int id);
/// The text of a numbered string resource in the interface's language.
std::string text(int id);

/// The status bar half of a command's prompt, translated; empty for an unknown id.
std::string commandPrompt(int id);
/// The tooltip half of a command's prompt, translated; empty for an unknown id.
std::string commandTooltip(int id);

} // namespace rovanta::strings
