#include "manager/records.h"

#include <algorithm>

namespace rovanta {

std::int32_t sanitizeStatus(std::int32_t status)
{
    if (status < kStatusUnchecked)
        return kStatusUnread;
    return status > kStatusCurrent ? kStatusUnchecked : status;
}

bool NameOrder::operator()(std::string_view a, std::string_view b) const
{
    const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : int{c}; };
    const auto folded =
        std::lexicographical_compare_three_way(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
            return lower(static_cast<unsigned char>(x)) <=> lower(static_cast<unsigned char>(y));
        });
    if (folded != 0)
        return folded < 0;
    return a < b;
}

} // namespace rovanta
