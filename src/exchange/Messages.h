// Showing the exchange reading's messages: always a single OK button and the program's title.
#pragma once

#include <string>
#include <string_view>

#include "base/Notifier.h"

inline void ShowMessage(Notifier& notifier, std::string_view text, MessageIcon icon) {
    Message message;
    message.text = std::string(text);
    message.icon = icon;
    notifier.Show(message);
}
