// A recovery file left by an earlier run. A record read from it must be
// written again the same way after another round through its text.
#include "tour/tour_recovery.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    const auto record = readRecoveryFile(fuzz::writeScratch("tour-1.recovery", fuzz::bytesOf(data, size)));
    if (!record)
        return 0;
    const std::string text = formatRecoveryRecord(*record);
    const auto again = parseRecoveryRecord(text);
    if (!again || formatRecoveryRecord(*again) != text)
        std::abort();
    cl_Tour tour;
    restoreTour(*record, tour);
    (void)recoveryQuestion(*record);
    return 0;
}
