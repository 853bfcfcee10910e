// How the core talks to the user: message boxes with an icon and buttons. The window
// answers with a real message box, the command-line driver prints to stderr and takes the
// safe answer, tests record the calls.
#pragma once

#include <string>
#include <string_view>

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

// Shows `text` with `icon` and `buttons` under the program's title; returns the answer.
inline Answer ShowMessage(Notifier& notifier, std::string_view text, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::Ok) {
    Message message;
    message.text = std::string(text);
    message.icon = icon;
    message.buttons = buttons;
    return notifier.Show(message);
}

// The answer a careful user gives when nobody can be asked: questions declined, failures
// not retried.
constexpr Answer SafeAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return Answer::No;
        case MessageButtons::RetryCancel:
            return Answer::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return Answer::Ok;
}
