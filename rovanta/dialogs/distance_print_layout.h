// Where the printout of the distances table puts its texts, in printer
// pixels with y growing downwards, each text by its top-left corner. The
// positions assume a printer of about 600 dpi, as the printout always has.
#pragma once

#include "dialogs/distance_table.h"
#include "dialogs/distances.h"

#include <string>
#include <vector>

namespace rovanta {

enum class PrintFontRole { kTitle, kHeading, kRow };

struct PrintFace {
    const char* family; ///< passed to the font lookup unchanged
    int pointSize;
};

/// "ArialBlack" 14 and 12 points for title and headings, "FixedSys" 10 for rows.
PrintFace printFont(PrintFontRole role);

struct PlacedText {
    int x;
    int y;
    PrintFontRole font;
    std::string text; ///< UTF-8
};

/// The texts of one page.
using PrintPage = std::vector<PlacedText>;

/// The rows `first` to `first + count - 1` share one page.
struct PageRows {
    int first;
    int count;
};

class DistancePrintLayout {
public:
    static constexpr int kTitleX = 800;
    static constexpr int kTitleY = 200;
    static constexpr int kHeadingY = 400;
    static constexpr int kFirstRowY = 560;
    static constexpr int kRowStep = 120;

    explicit DistancePrintLayout(DisplayFormat format);

    /// Rows that fit below the headings of a page `pageHeight` pixels high;
    /// at least one, so a tiny page still makes progress.
    static int rowsPerPage(int pageHeight);
    /// Every row exactly once, in order; one page even without rows, for
    /// the title and headings.
    static std::vector<PageRows> paginate(int pageHeight, int rowCount);

    /// The pages of the table; each repeats the title and the headings.
    std::vector<PrintPage> pages(const std::string& tourName, const std::vector<DistanceRow>& rows,
                                 int pageHeight) const;

private:
    void placeHeader(PrintPage& page, const std::string& title) const;
    void placeRow(PrintPage& page, const DistanceRow& row, int y) const;

    DisplayFormat format_;
};

} // namespace rovanta
