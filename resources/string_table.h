// The program's message texts: the numbered string resources and the few
// literal notices. Every text shown through showMessage or in the status bar
// comes from here.
#pragma once

#include <string_view>

namespace rovanta::strings {

inline constexpr int kKeywordNotFound = 61204;    ///< %1: the calibration file's line
inline constexpr int kDeleteMapQuestion = 61205;  ///< %1: the map name
inline constexpr int kDeleteTourQuestion = 61206; ///< %1: the tour name
inline constexpr int kFileExistsQuestion = 61207;
inline constexpr int kTourNotSavedQuestion = 61208;

inline constexpr int kAppTitle = 57344;
inline constexpr int kIdleMessage = 57345; ///< the status bar's text when nothing is highlighted

inline constexpr std::string_view kNoSelectedMapFound = "No selected Map found!";
inline constexpr std::string_view kRenameNotPossible = "Rename not possible!";
inline constexpr std::string_view kFileNotFound = "File not found!";
inline constexpr std::string_view kPrintingNotPossible = "Printing not possible!";
inline constexpr std::string_view kScaleNotUnderstood = "Please type the scale as 1:25000 or 25000!";
inline constexpr std::string_view kTooManyPages = "The map needs too many pages at this scale!";
inline constexpr std::string_view kOverlapTooLarge = "The overlap is too large for this paper!";
inline constexpr std::string_view kFileTooLarge = "The File %1 is too large to be read!"; ///< %1: its path
/// %1: the file's path, %2: the system's reason
inline constexpr std::string_view kFileNotSaved = "The File %1 could not be saved: %2";
/// %1: the file's path, %2: what is wrong with it
inline constexpr std::string_view kGpxNotRead = "The File %1 is no usable GPX file: %2";
inline constexpr std::string_view kTourNotRead = "The File %1 cannot be read as a tour!";      ///< %1: its path
inline constexpr std::string_view kNotAMap = "The File %1 is no usable map calibration file!"; ///< %1: its path
/// %1: its path
inline constexpr std::string_view kFileKindUnknown = "The File %1 is no tour (.TXT), GPX file (.gpx) or map (.cal)!";

// Go to Position.
inline constexpr std::string_view kGoToPositionTitle = "Go to Position";
inline constexpr std::string_view kGoToPositionPrompt =
    "Position in degrees, degrees and minutes, degrees, minutes and seconds, or UTM:";
/// Examples of every form Go to Position reads.
inline constexpr std::string_view kPositionNotUnderstood = "Position not understood. Type it like one of these:\n"
                                                           "47.2683 11.3933\n"
                                                           "47\u00B016.098' N 11\u00B023.598' E\n"
                                                           "47\u00B016'05.9\" N 11\u00B023'35.9\" E\n"
                                                           "N 47 16.098 E 11 23.598\n"
                                                           "32T 680000 5237000";
inline constexpr std::string_view kPositionOffMaps = "No checked map holds this position!";

// Status bar notices; %1 is a file's path.
inline constexpr std::string_view kBitmapNotFound = "Bitmap not found: %1";
inline constexpr std::string_view kBitmapNotSupported = "Bitmap format not supported: %1";
inline constexpr std::string_view kBitmapUnreadable = "Bitmap cannot be read: %1";
inline constexpr std::string_view kHelpFileNotFound = "Help file not found: %1";
/// Once, the first time a double click starts a tour.
inline constexpr std::string_view kDoubleClickStartedTour =
    "A new tour has started with this point. Double-click to add more; Tour > Save Tour keeps it.";
/// %2: percent done of converting the sheet into its tiled copy
inline constexpr std::string_view kPreparingSheet = "Preparing %1 for display: %2 %";

// Why a calibration file or its bitmap cannot be used, listed once per
// Search or start; "%1" where a name goes.
inline constexpr std::string_view kLoadProblemsHeading = "Problems in calibration files:";
inline constexpr std::string_view kMoreLoadProblems = "... and %1 more";
inline constexpr std::string_view kNoReferencePoint = "no reference point";
inline constexpr std::string_view kOnlyOneReferencePoint = "only one reference point";
inline constexpr std::string_view kSameReferencePixel = "both reference points on the same pixel";
inline constexpr std::string_view kSameReferencePosition = "both reference points at the same position";
inline constexpr std::string_view kReferencePointsTooFar = "reference points too far apart or outside the UTM area";
inline constexpr std::string_view kNoBitmapNamed = "no bitmap named (no FILENAME: line)";
inline constexpr std::string_view kProblemBitmapNotFound = "bitmap not found: %1";
inline constexpr std::string_view kProblemBitmapUnreadable = "bitmap not readable: %1";
inline constexpr std::string_view kProblemBitmapNotSupported = "bitmap format not supported";
inline constexpr std::string_view kProblemRasterUnreadable = "raster not readable: %1";
inline constexpr std::string_view kProblemNoCoordinateSystem = "georeferenced, but no coordinate system";
inline constexpr std::string_view kProblemNoTransform = "no transform to WGS 84: %1";
inline constexpr std::string_view kUnknownHemisphere = "hemisphere letter %1 is not N, E, O, S or W";
inline constexpr std::string_view kMissingHemisphere = "hemisphere letter missing";

/// The text of a numbered string resource; empty for an unknown id. A
/// command id gives its prompt: the status bar text, then after a line
/// break the tooltip.
std::string_view loadString(int id);

/// The status bar half of a command's prompt; empty for an unknown id.
std::string_view commandPrompt(int id);
/// The tooltip half of a command's prompt; empty for an unknown id.
std::string_view commandTooltip(int id);

} // namespace rovanta::strings
