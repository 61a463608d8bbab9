// rovanta-chm-reader FILE: reads one help file for the program, which talks
// to it over stdin and stdout (view/chm_reader.h). chmlib's faults on a
// corrupt file end this process only; the limits end it when it loops or
// eats memory, and it dies with the program.
#include "help/chm_reader.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

void limit(int resource, rlim_t value)
{
    const rlimit limits{value, value};
    (void)setrlimit(resource, &limits);
}

void limitResources()
{
    (void)prctl(PR_SET_PDEATHSIG, SIGKILL);
    limit(RLIMIT_CORE, 0);
    // The program's own timeouts are far shorter; this ends a reader whose
    // program could not end it.
    limit(RLIMIT_CPU, 30);
    // AddressSanitizer reserves terabytes of address space for itself.
    if (!kAddressSanitizer)
        limit(RLIMIT_AS, rlim_t{1} << 30);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    limitResources();
    return rovanta::chm_reader::serve(argv[1], STDIN_FILENO, STDOUT_FILENO);
}
