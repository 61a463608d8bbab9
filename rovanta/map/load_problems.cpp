#include "map/load_problems.h"

#include "common/display_text.h"
#include "common/installed.h"
#include "common/text_convert.h"
#include "ports/message.h"
#include "resources/string_table.h"

#include <algorithm>

namespace rovanta {
namespace {

using ActiveLoadProblems = Installed<LoadProblems>;

// The message box grows with its text and has no scroll bar; beyond this
// many lines its Ok button would leave a laptop's screen.
constexpr std::size_t kMostListed = 25;

std::string problemLine(const LoadProblem& problem)
{
    std::string line = problem.file;
    if (problem.line > 0)
        line += replacePlaceholder(strings::tr(strings::kProblemAtLine), std::to_string(problem.line));
    return line + ": " + problem.reason;
}

} // namespace

void LoadProblems::add(std::string file, int line, std::string reason)
{
    // One notice joins UTF-8 paths and lines from files written on Windows;
    // each part is made UTF-8 on its own so neither garbles the other.
    entries_.push_back({toDisplayUtf8(file), line, toDisplayUtf8(reason)});
}

std::string LoadProblems::noticeText() const
{
    std::string text(strings::tr(strings::kLoadProblemsHeading));
    const std::size_t listed = std::min(entries_.size(), kMostListed);
    for (std::size_t i = 0; i < listed; ++i)
        text += "\n" + problemLine(entries_[i]);
    if (listed < entries_.size())
        text += "\n" +
                replacePlaceholder(strings::tr(strings::kMoreLoadProblems), std::to_string(entries_.size() - listed));
    return text;
}

LoadProblemScope::LoadProblemScope()
{
    if (ActiveLoadProblems::get() != nullptr)
        return;
    own_.emplace();
    ActiveLoadProblems::install(&*own_);
}

LoadProblemScope::~LoadProblemScope()
{
    if (!own_)
        return;
    ActiveLoadProblems::install(nullptr);
    if (!own_->empty())
        showMessage(own_->noticeText(), kMessageOk);
}

void reportLoadProblem(std::string file, int line, std::string reason)
{
    const LoadProblemScope alone;
    ActiveLoadProblems::get()->add(std::move(file), line, std::move(reason));
}

} // namespace rovanta
