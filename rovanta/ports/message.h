// The program's one message facility. Every notice and question goes
// through showMessage; the GUI installs the dialog that answers it, tests
// install a scripted answerer.
#pragma once

#include "common/installed.h"

#include <string>

namespace rovanta {

/// Button sets.
enum MessageType : int {
    kMessageOk = 0,    ///< "Ok"
    kMessageYesNo = 4, ///< "Yes", "No"
};

/// Answers, the platform's usual dialog results.
enum MessageAnswer : int {
    kAnswerOk = 1,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

/// What actually shows a message and returns the user's answer.
class MessageAnswerer {
public:
    virtual ~MessageAnswerer() = default;
    virtual int answer(const std::string& text, MessageType type) = 0;
};

/// The answering side. Without one, notices answer Ok and questions No, so
/// nothing is ever done unasked.
using InstalledMessageAnswerer = Installed<MessageAnswerer>;
using ScopedMessageAnswerer = InstalledMessageAnswerer::Scope;

/// Shows the text unchanged; returns 1 (Ok), 6 (Yes) or 7 (No).
int showMessage(const std::string& text, MessageType type);

/// Shows a numbered string resource with its "%1" replaced by nothing.
int showMessage(int stringId, MessageType type);

} // namespace rovanta
