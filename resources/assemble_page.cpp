// Build-time tool: joins the page pieces listed in page/page.list into the one
// page text (CR LF line ends) and splits it into the two halves that the
// string table carries. String 101 runs through the function sTerm and the
// four empty lines after it; string 102 is the rest. A piece that page/ does
// not hold is taken from the folder of pieces made at build time.
//
// usage: assemble_page <page.list> <page out> <string 101 out> <string 102 out> [made folder]

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// Lines of a text, without their line ends; a final line end opens no new line.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> pageLines(const fs::path& list, const fs::path& made) {
    std::vector<std::string> lines;
    for (const auto& entry : splitLines(readFile(list))) {
        const auto name = trim(entry);
        if (name.empty() || name.front() == '#') continue;
        auto path = list.parent_path() / name;
        if (!made.empty() && !fs::exists(path)) path = made / name;
        const auto piece = splitLines(readFile(path));
        lines.insert(lines.end(), piece.begin(), piece.end());
    }
    return lines;
}

// Index of the first line of string 102.
std::size_t splitPoint(const std::vector<std::string>& lines) {
    std::size_t i = 0;
    while (i < lines.size() && lines[i].rfind("function sTerm(", 0) != 0) ++i;
    while (i < lines.size() && lines[i] != "}") ++i;
    if (i == lines.size()) throw std::runtime_error("the page has no function sTerm");
    for (std::size_t k = 1; k <= 4; ++k)
        if (i + k >= lines.size() || !lines[i + k].empty())
            throw std::runtime_error("sTerm must be followed by four empty lines");
    return i + 5;
}

std::string joinCrLf(std::vector<std::string>::const_iterator first,
                     std::vector<std::string>::const_iterator last) {
    std::string text;
    for (; first != last; ++first) text += *first + "\r\n";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::cerr << "usage: assemble_page <page.list> <page> <string101> <string102> [made folder]\n";
        return 2;
    }
    try {
        const auto lines = pageLines(argv[1], argc == 6 ? fs::path(argv[5]) : fs::path());
        const auto split = lines.begin() + static_cast<std::ptrdiff_t>(splitPoint(lines));
        writeFile(argv[2], joinCrLf(lines.begin(), lines.end()));
        writeFile(argv[3], joinCrLf(lines.begin(), split));
        writeFile(argv[4], joinCrLf(split, lines.end()));
    } catch (const std::exception& e) {
        std::cerr << "assemble_page: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
