// Key scripts for headless runs: "F7,Rightx20,-x2" holds F7 for one frame,
// the right arrow for 20, then nothing for 2.
#pragma once

#include <string>
#include <vector>

struct KeyStep {
    std::vector<int> keys; // virtual-key codes held during the step
    int frames = 1;
};

// Parses a script; on a bad step or key name returns false with a reason.
bool parseKeyScript(const std::string& text, std::vector<KeyStep>& steps, std::string& error);

// The virtual-key code of a script key name, or 0 for an unknown name.
int keyCodeFromName(const std::string& name);
