// The tests' PNG reader (tests/png_reader.h) as a command, for the tests that
// are not C++: the shell tests, the Wine tests and the browser tests.
//
//   png_tool size FILE          prints WIDTHxHEIGHT
//   png_tool pixels FILE        prints that line, then the pixels as raw 8-bit
//                               RGB bytes, top row first
//   png_tool same FILE1 FILE2   whether the two pictures have one size and the
//                               same pixels, whatever encoders wrote them
//
// The exit status is cmp's: 0 done (the same), 1 the pictures differ (how is
// printed), 2 trouble: a wrong command line, or a file that is missing, no
// PNG or cut short, named on stderr with the reason. Every picture is read
// whole, so two unreadable files are never "the same".
#include "tests/png_reader.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
constexpr int sameStatus = 0;
constexpr int differStatus = 1;
constexpr int troubleStatus = 2;

int usage()
{
    std::fputs("usage: png_tool size FILE | pixels FILE | same FILE1 FILE2\n", stderr);
    return troubleStatus;
}

// The picture, or the program's end with status 2 and the reason.
Picture readOrExit(const char* path)
{
    std::string why;
    Picture picture = readPng(path, &why);
    if (picture.width == 0 || picture.height == 0) {
        std::fprintf(stderr, "png_tool: %s: %s\n", path, why.empty() ? "an empty picture" : why.c_str());
        std::exit(troubleStatus);
    }
    return picture;
}

void printSize(const Picture& picture)
{
    std::printf("%dx%d\n", picture.width, picture.height);
}

// Says how two pictures differ: their sizes, or how many pixels and the
// first of them.
int compare(const Picture& a, const Picture& b)
{
    if (a.width != b.width || a.height != b.height) {
        std::printf("sizes differ: %dx%d against %dx%d\n", a.width, a.height, b.width, b.height);
        return differStatus;
    }
    std::size_t differing = 0, first = 0;
    for (std::size_t at = 0; at < a.rgb.size(); at += 3)
        if (a.rgb[at] != b.rgb[at] || a.rgb[at + 1] != b.rgb[at + 1] || a.rgb[at + 2] != b.rgb[at + 2])
            if (differing++ == 0)
                first = at;
    if (differing == 0)
        return sameStatus;
    const std::size_t pixel = first / 3;
    std::printf("%zu of %zu pixels differ; the first, column %zu of row %zu from the top, "
                "is %d,%d,%d against %d,%d,%d\n",
                differing, a.rgb.size() / 3, pixel % a.width, pixel / a.width, a.rgb[first],
                a.rgb[first + 1], a.rgb[first + 2], b.rgb[first], b.rgb[first + 1], b.rgb[first + 2]);
    return differStatus;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string_view command = argc > 1 ? argv[1] : "";
    int status = sameStatus;
    if (command == "size" && argc == 3) {
        printSize(readOrExit(argv[2]));
    } else if (command == "pixels" && argc == 3) {
        const Picture picture = readOrExit(argv[2]);
        printSize(picture);
        std::fwrite(picture.rgb.data(), 1, picture.rgb.size(), stdout);
    } else if (command == "same" && argc == 4) {
        const Picture first = readOrExit(argv[2]);
        status = compare(first, readOrExit(argv[3]));
    } else {
        return usage();
    }
    // A short write (a full disk, a closed pipe) is no picture printed.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::perror("png_tool: standard output");
        return troubleStatus;
    }
    return status;
}
