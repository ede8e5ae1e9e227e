// UTF-8 text to paths and back, through char8_t, which std::filesystem
// converts as UTF-8 on every system (and leaves as it is on Linux).
#include "platform/path_text.h"

std::filesystem::path pathFromText(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string textOfPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
