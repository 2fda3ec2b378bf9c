#pragma once
// Sequential text output to one file: open (create or replace), print items
// converted to code page 936 with a CR LF after each, close.

#include "platform/own_folder.h"

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
    // The same for the file `name` in `folder`, which is reached through its
    // open descriptor only.
    SequentialOutput(const OwnFolder& folder, const std::string& name);
    // Without close(), the temporary file is removed.
    ~SequentialOutput();
    SequentialOutput(const SequentialOutput&) = delete;
    SequentialOutput& operator=(const SequentialOutput&) = delete;

    // Writes the item in code page 936 and then CR LF.
    void print(std::u16string_view item);

    // Gives the file the attributes (as SetAttr does) before it takes its
    // place, so it never shows without them.
    void setAttributes(int attributes);

    // Closes the file and puts it in place; afterwards it is complete on disk
    // under `path`.
    void close();

private:
    void open();
    void writeAll(const std::string& bytes);
    void discard();

    std::string path_;      // for messages
    int folder_ = -1;       // the folder the file goes in
    std::string name_;      // its name there
    std::string temporary_;
    int fd_ = -1;
};

}  // namespace kestrun
