#pragma once
// Sequential text output to one file: open (create or truncate), print items
// converted to code page 936 with a CR LF after each, close.

#include <string>
#include <string_view>

namespace kestrun {

class SequentialOutput {
public:
    // Creates the file or truncates the existing one. Refuses to write through
    // a symbolic link or into anything but a regular file, so a link planted
    // at this path cannot redirect the write to another file.
    explicit SequentialOutput(std::string path);
    ~SequentialOutput();
    SequentialOutput(const SequentialOutput&) = delete;
    SequentialOutput& operator=(const SequentialOutput&) = delete;

    // Writes the item in code page 936 and then CR LF.
    void print(std::u16string_view item);

    // Flushes and closes; afterwards the file is complete on disk.
    void close();

private:
    void writeAll(const std::string& bytes);

    std::string path_;
    int fd_ = -1;
};

}  // namespace kestrun
