// Where the running program's executable lives.
#pragma once

#include <filesystem>

// The executable's absolute path; empty when the system cannot tell.
std::filesystem::path executablePath();
