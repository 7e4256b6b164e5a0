// SPDX-License-Identifier: MIT
// What both halves of vandrel-thumbnailer share: the command line, the
// size of a picture in the requested square, the one-line failure, and the
// PNG written through a temporary file so that no partial one is left.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace thumbnailer {

struct Request {
    int size = 0;
    std::string input;
    std::string output;
};

// False, after printing the usage, when the command line is not
// "-s SIZE INPUT OUTPUT". A file: address becomes its local path.
bool parse(int argc, char** argv, Request& request);

// Width and height of at most size pixels with the ratio w : h; a picture
// smaller than the square grows only when enlarge is set.
void fitted(double w, double h, int size, bool enlarge, int& width, int& height);

// Status 1 with "vandrel-thumbnailer: INPUT: WHY" on stderr.
int fail(const std::string& input, const std::string& why);

// Keeps the libraries' and the toolkit's messages off standard error (a
// failure is one line there), unless logging rules ask for them.
void quiet();

// run(argc, argv), with no exception escaping: status 1 and one line.
int guarded(int (*run)(int, char**), int argc, char** argv);

// Writes png to the request's output; refused when the output is the input
// itself (under another name, or through a link), which it would replace.
bool writePng(const Request& request, const std::vector<std::uint8_t>& png, std::string& why);

} // namespace thumbnailer
