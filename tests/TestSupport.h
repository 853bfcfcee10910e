// Shared by the test programs: a notifier that records, and plain solid colours.
#pragma once

#include <string>
#include <vector>

#include "base/Notifier.h"
#include "base/SolidColour.h"

// Records every message and gives the safe answer (OK; questions declined, failures not retried).
struct RecordingNotifier : Notifier {
    std::vector<Message> messages;
    Answer Show(const Message& message) override {
        messages.push_back(message);
        return SafeAnswer(message.buttons);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Message& m : messages)
            texts.push_back(m.text);
        return texts;
    }
};

// As red + 256 * green + 65536 * blue.
constexpr SolidColour kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;
