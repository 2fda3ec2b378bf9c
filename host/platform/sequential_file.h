#pragma once
// Sequential text output to one file: open (create or replace), print items
// converted to code page 936 with a CR LF after each, close.

#include <string>
#include <string_view>

namespace kestrun {

class SequentialOutput {
public:
    // Starts a new file that takes the place of the one at `path` when it is
    // closed. The text goes into a temporary file beside it and is renamed
    // over the path at close, so nothing is ever written through the path:
    // a hard link's other names keep their content, and a write that fails
    // leaves no partial file. Refuses a symbolic link or anything but a
    // regular file at the path, where the user or another program put it.
    explicit SequentialOutput(std::string path);
    // Without close(), the temporary file is removed.
    ~SequentialOutput();
    SequentialOutput(const SequentialOutput&) = delete;
    SequentialOutput& operator=(const SequentialOutput&) = delete;

    // Writes the item in code page 936 and then CR LF.
    void print(std::u16string_view item);

    // Closes the file and puts it in place; afterwards it is complete on disk
    // under `path`.
    void close();

private:
    void writeAll(const std::string& bytes);
    void discard();

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
};

}  // namespace kestrun
