#include "resources/string_table.h"

#include <array>
#include <utility>

namespace rovanta::strings {

std::string_view loadString(int id)
{
    // Texts exactly as the users know them, spelling included.
    static constexpr std::array<std::pair<int, std::string_view>, 5> kTable{{
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

} // namespace rovanta::strings
