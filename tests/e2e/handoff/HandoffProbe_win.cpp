// Runs the Win32 hand-off against whatever Jw_cad (or stand-in) is running, for the
// end-to-end tests: writes the coordinate file first as the OK command does, then hands it
// off, answering the message boxes from a script and logging them.
//
//   handoff-probe.exe --log Z:\tmp\probe.log --coordinate-file Z:\tmp\ZTEMP.TXT --last-line "h# end"
//       [--lines 20000] [--answers Retry,Cancel] [--timer-window]
//
// Log lines:
//   box RetryCancel Exclamation system-modal
//   | 座標ファイル読み込みに失敗しました。
//   answer Retry
//   done
#include <windows.h>

#include <shellapi.h>

#include <cstddef>
#include <cstdio>
#include <deque>
#include <string>

#include "base/File.h"
#include "base/Notifier.h"
#include "output/handoff/Handoff.h"
#include "platform/win32/JwWindows_win.h"
#include "platform/win32/Utf16.h"

namespace {

std::wstring gLogPath;

void Log(std::string_view line) {
    FILE* f = _wfopen(gLogPath.c_str(), L"ab");
    if (f == nullptr)
        return;
    std::fwrite(line.data(), 1, line.size(), f);
    std::fputc('\n', f);
    std::fclose(f);
}

// Names of the enumerators, in declaration order.
constexpr const char* kButtonsNames[] = {"Ok", "YesNo", "RetryCancel"};
constexpr const char* kIconNames[] = {"None", "Critical", "Exclamation", "Information", "Question"};
constexpr const char* kAnswerNames[] = {"Ok", "Yes", "No", "Retry", "Cancel"};

template <class Enum, std::size_t N>
const char* NameOf(const char* const (&names)[N], Enum value) {
    return names[static_cast<std::size_t>(value)];
}

// Answers each box with the next scripted answer; once the script is used up, with the safe
// answer (Cancel, No, OK).
class ScriptedNotifier : public Notifier {
  public:
    std::deque<Answer> script;

    Answer Show(const Message& message) override {
        Log(std::string("box ") + NameOf(kButtonsNames, message.buttons) + " " + NameOf(kIconNames, message.icon) +
            (message.systemModal ? " system-modal" : " modal") + " title=" + message.title);
        std::string_view text = message.text;
        for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(end + 2))
            Log("| " + std::string(text.substr(0, end)));
        Log("| " + std::string(text));
        Answer answer = message.buttons == MessageButtons::Ok      ? Answer::Ok
                        : message.buttons == MessageButtons::YesNo ? Answer::No
                                                                   : Answer::Cancel;
        if (!script.empty()) {
            answer = script.front();
            script.pop_front();
        }
        Log(std::string("answer ") + NameOf(kAnswerNames, answer));
        return answer;
    }
};

std::deque<Answer> ParseAnswers(std::wstring_view list) {
    std::deque<Answer> answers;
    while (!list.empty()) {
        const std::size_t comma = std::min(list.find(L','), list.size());
        const std::wstring_view word = list.substr(0, comma);
        answers.push_back(word == L"Retry" ? Answer::Retry : word == L"Ok" ? Answer::Ok : Answer::Cancel);
        list.remove_prefix(std::min(comma + 1, list.size()));
    }
    return answers;
}

// A coordinate file of many line records that ends with `lastLine`, so a reader that looks
// too early sees it incomplete.
std::string CoordinateFile(int lines, const std::string& lastLine) {
    std::string bytes;
    for (int i = 0; i < lines; ++i)
        bytes += "0 " + std::to_string(i) + " 100 " + std::to_string(i) + "\r\n";
    return bytes + lastLine + "\r\n";
}

}  // namespace

int main() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring coordinateFile, lastLine;
    int lines = 20000;
    bool timerWindow = false;
    ScriptedNotifier notifier;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view a = argv[i];
        const wchar_t* value = i + 1 < argc ? argv[i + 1] : L"";
        if (a == L"--timer-window")
            timerWindow = true;
        else if (a == L"--log")
            gLogPath = value, ++i;
        else if (a == L"--coordinate-file")
            coordinateFile = value, ++i;
        else if (a == L"--last-line")
            lastLine = value, ++i;
        else if (a == L"--lines")
            lines = std::stoi(value), ++i;
        else if (a == L"--answers")
            notifier.script = ParseAnswers(value), ++i;
    }
    LocalFree(argv);
    if (gLogPath.empty() || coordinateFile.empty()) {
        std::fputs("usage: handoff-probe --log FILE --coordinate-file FILE --last-line TEXT [...]\n", stderr);
        return 2;
    }

    const file::WriteResult written =
        file::WriteAtomic(utf16::Narrow(coordinateFile), CoordinateFile(lines, utf16::Narrow(lastLine)));
    if (!written) {
        Log("cannot write the coordinate file: " + written.error);
        return 1;
    }
    // A message-only window stands in for the main form that owns the watchdog timer.
    HWND form = timerWindow ? CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                              GetModuleHandleW(nullptr), nullptr)
                            : nullptr;
    Log(form ? "start timer=window" : "start timer=thread");
    {
        Win32JwWindows windows(form);
        handoff::Handoff handoff(windows, notifier);
        handoff.Zkakikomi();
    }
    if (form)
        DestroyWindow(form);
    Log("done");
    return 0;
}
