// The resource ids help contexts are derived from: a command's context is
// its id + 65536, a dialog's or window's its resource id + 131072. Help
// files map these numbers to pages, so they stay as they are.
#pragma once

namespace rovanta::help {

inline constexpr int kCommandBase = 0x10000;
inline constexpr int kResourceBase = 0x20000;

// Windows and dialogs.
inline constexpr int kMainWindow = 128;
inline constexpr int kMapsPage = 131;
inline constexpr int kToursPage = 132;
inline constexpr int kFoldersPage = 133;
inline constexpr int kTourDistancesDialog = 165;
inline constexpr int kRemarksDialog = 168;

constexpr int commandContext(int commandId)
{
    return commandId + kCommandBase;
}
constexpr int resourceContext(int resourceId)
{
    return resourceId + kResourceBase;
}

/// The property a widget carries with its help context; help for a widget
/// uses the nearest one up its parents.
inline constexpr char kContextProperty[] = "helpContext";

} // namespace rovanta::help
