#pragma once
// Runs a helper program of a test (found on PATH) to its end.

#include <string>
#include <vector>

namespace kestrun::test {

// The program's standard output; throws when it cannot start or does not
// end with status 0, so a test never reads half an answer.
std::string commandOutput(const std::vector<std::string>& argv);

}  // namespace kestrun::test
