#include "navigation/go_to_position.h"

namespace rovanta {

MapRecord mapForPosition(const cl_Manager& manager, const MapRecord& current, cl_RefPoint& position)
{
    if (current) {
        cl_RefPoint onCurrent = position;
        if (current->refPointToPixel(onCurrent)) {
            position = onCurrent;
            return current;
        }
    }
    return manager.findMapContaining(position);
}

} // namespace rovanta
