// What the form model asks of its front end besides messages (base/Notifier.h): the clipboard
// and the hand-off to Jw_cad. The window implements them with the system, vemora-cli with the
// safe answers, tests with scripted fakes.
#pragma once

#include <string_view>

#include "base/Notifier.h"

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard and puts the text on it as Unicode text. False when that failed.
    virtual bool SetText(std::string_view utf8) = 0;
};

class HandOff {
public:
    virtual ~HandOff() = default;
    // Makes the running Jw_cad read the coordinate file that the OK command has just closed.
    // May pump the window's messages while it waits; the model ignores every command until
    // it returns.
    virtual void Run() = 0;
};

// Everything the model talks to, owned by the front end for the whole run.
struct FormServices {
    Notifier& notifier;
    Clipboard& clipboard;
    HandOff& handOff;
};
