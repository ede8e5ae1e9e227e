// PNG output in a page, where there is no PNG library and no disk: the
// browser's own encoder makes the picture (page.js) and hands it to the
// browser as a download named like the file. The file itself stays in the
// in-memory file system empty: its name is kept, so later shots in the same
// second are numbered on, but no picture bytes pile up in the page.
#include "platform/png_writer.h"

#include "platform/file_output.h"
#include "platform/web/page.h"

#include <filesystem>

bool writePngRgb(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgbTopFirst, std::string& error)
{
    if (width <= 0 || height <= 0 ||
        rgbTopFirst.size() != std::size_t(width) * std::size_t(height) * 3) {
        error = "no picture to write";
        return false;
    }
    if (!writeFileBytes(path, {}, error))
        return false;
    const std::string name = std::filesystem::path(path).filename().string();
    pageSavePng(name.c_str(), width, height, rgbTopFirst.data());
    return true;
}
