#include "print/qt/print_pixels.h"

#include "view/qt/sheet_pixels.h"

namespace rovanta {

PrintPixels bitmapPixels(std::shared_ptr<const SheetPixels> bitmap)
{
    return [bitmap = std::move(bitmap)](const QRect& topDown, int step) {
        const int height = bitmap->height();
        if (!bitmap->bottomUp()) {
            const BitmapWindow window = bitmap->window(topDown, step);
            return SheetWindow{window.image, window.origin, window.step};
        }
        // Bottom-up rows: read the mirrored rows and turn them over.
        const QRect stored(topDown.x(), height - topDown.y() - topDown.height(), topDown.width(), topDown.height());
        const BitmapWindow window = bitmap->window(stored, step);
        if (window.image.isNull())
            return SheetWindow{};
        const int lastRow = window.origin.y() + window.step * (window.image.height() - 1);
        return SheetWindow{window.image.mirrored(false, true), QPoint(window.origin.x(), height - 1 - lastRow),
                           window.step};
    };
}

} // namespace rovanta
