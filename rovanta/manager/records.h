// The map and tour records the store, the pages and the view share. A record
// lives as long as anything holds it, so removing it from a page never
// pulls it from under the view.
#pragma once

#include "map/cl_map.h"
#include "tour/cl_tour.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace rovanta {

/// Status of a map or tour record; also the index of its state icon.
enum RecordStatus : std::int32_t {
    kStatusUnread = -1,   ///< no status stored; a map is not read, no icon
    kStatusUnchecked = 0, ///< listed, not taking part
    kStatusChecked = 1,   ///< taking part in map search and "next map"
    kStatusCurrent = 2,   ///< shown in the view, or being edited
};

/// A stored status made usable: negative values mean unread, values above
/// current (a damaged setting) mean unchecked.
std::int32_t sanitizeStatus(std::int32_t status);

/// Names sorted as the pages list them: ascending without regard to case,
/// names that differ only in case by their bytes, so every name stays a
/// separate key.
struct NameOrder {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

using MapRecord = std::shared_ptr<cl_Map>;
using TourRecord = std::shared_ptr<cl_Tour>;
/// Name → record; enumeration order is the pages' list order.
using MapCollection = std::map<std::string, MapRecord, NameOrder>;
using TourCollection = std::map<std::string, TourRecord, NameOrder>;

} // namespace rovanta
