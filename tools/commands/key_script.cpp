// Key-script parsing.
#include "tools/commands/key_script.h"

#include "platform/input.h"
#include "tools/commands/options.h"

namespace {
struct KeyName {
    const char* name;
    int code;
};

const KeyName keyNames[] = {
    {"Escape", vkEscape},      {"F1", vkF1},          {"F2", vkF1 + 1},
    {"F3", vkF1 + 2},          {"F4", vkF1 + 3},      {"F5", vkF5},
    {"F6", vkF6},              {"F7", vkF7},          {"M", vkM},
    {"Z", vkZ},                {"Left", vkLeft},      {"Right", vkRight},
    {"Up", vkUp},              {"Down", vkDown},      {"KPPlus", vkAdd},
    {"KPMinus", vkSubtract},   {"LButton", vkLeftButton}, {"RButton", vkRightButton},
    {"MButton", vkMiddleButton}, {"F12", vkF12},
};

constexpr long long maxStepFrames = 10'000'000;
}

int keyCodeFromName(const std::string& name)
{
    for (const KeyName& key : keyNames)
        if (name == key.name)
            return key.code;
    return 0;
}

bool parseKeyScript(const std::string& text, std::vector<KeyStep>& steps, std::string& error)
{
    for (const std::string& word : splitAt(text, ',')) {
        KeyStep step;
        std::string keys = word;
        const std::size_t repeat = word.rfind('x');
        // "x" followed by digits repeats the step; a lone key name may not
        // contain an x followed by digits, so this cannot misread one.
        if (repeat != std::string::npos && repeat + 1 < word.size() &&
            word.find_first_not_of("0123456789", repeat + 1) == std::string::npos) {
            const auto frames = parseInteger(word.substr(repeat + 1), 1, maxStepFrames);
            if (!frames) {
                error = "bad repeat count in key step '" + word + "'";
                return false;
            }
            step.frames = int(*frames);
            keys = word.substr(0, repeat);
        }
        if (keys != "-") {
            for (const std::string& name : splitAt(keys, '+')) {
                const int code = keyCodeFromName(name);
                if (code == 0) {
                    error = "unknown key '" + name + "' in key step '" + word + "'";
                    return false;
                }
                step.keys.push_back(code);
            }
        }
        steps.push_back(step);
    }
    return true;
}
