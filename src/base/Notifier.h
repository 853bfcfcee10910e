// How the core talks to the user: message boxes with an icon and buttons. The window
// answers with a real message box, the command-line driver prints to stderr and takes the
// safe answer, tests record the calls.
#pragma once

#include <string>

enum class MessageIcon { None, Critical, Exclamation, Information, Question };
enum class MessageButtons { Ok, YesNo, RetryCancel };
enum class Answer { Ok, Yes, No, Retry, Cancel };

struct Message {
    std::string text;  // UTF-8, lines joined by "\r\n"
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    std::string title;          // empty: the program's name
    bool systemModal = false;   // the hand-off's failure box stays above every window
};

class Notifier {
public:
    virtual ~Notifier() = default;
    virtual Answer Show(const Message& message) = 0;
};
